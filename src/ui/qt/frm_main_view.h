#pragma once

#include <QMainWindow>
#include <map>
#include <string>

class Control;
class FrmKeysView;
class FrmMain;
class QAction;
class QLabel;

// Draws the window model with Qt widgets made from the design table, and
// keeps the two in step: the model's changes are shown at once, the user's
// edits go to the model, which runs the handlers.
class FrmMainView : public QMainWindow {
  Q_OBJECT

 public:
  explicit FrmMainView(FrmMain& model, QWidget* parent = nullptr);
  ~FrmMainView() override;

  // The widget (or menu action's widget-less stand-in: nullptr) of the named control.
  QWidget* widget(const std::string& name) const;
  QAction* action(const std::string& name) const;
  QLabel* problemLine() const { return problem_; }
  double pixelsPerTwip() const { return pixelsPerTwip_; }
  // The keys dialog, over this window.
  FrmKeysView* keysView() const { return keys_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void createWidgets();
  void bind(Control& control, QWidget* widget);
  void show(const Control& control);
  void showProblem(const Control& line);
  void fitLabel(QLabel* label, const Control& control);

  FrmMain& model_;
  std::map<std::string, QWidget*> widgets_;
  std::map<std::string, QAction*> actions_;
  std::map<const QWidget*, const Control*> controlOf_;
  QWidget* client_ = nullptr;
  QLabel* problem_ = nullptr;
  FrmKeysView* keys_ = nullptr;
  double pixelsPerTwip_ = 1.0 / 15;
};
