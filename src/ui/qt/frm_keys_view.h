#pragma once

#include <QDialog>
#include <map>
#include <string>

class Control;
class FrmKeys;

// The keys dialog drawn with Qt widgets from its design table, in step with
// its model both ways. Not modal: the main window's count-down goes on, and
// its key boxes show what is typed here.
class FrmKeysView : public QDialog {
  Q_OBJECT

 public:
  FrmKeysView(FrmKeys& model, QWidget* parent);
  ~FrmKeysView() override;

  QWidget* widget(const std::string& name) const;
  double pixelsPerTwip() const { return pixelsPerTwip_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createWidgets();
  void show(const Control& control);

  FrmKeys& model_;
  std::map<std::string, QWidget*> widgets_;
  std::map<const QWidget*, const Control*> controlOf_;
  double pixelsPerTwip_ = 1.0 / 15;
};
