#pragma once

#include <QDialog>

class QTextBrowser;
class DesktopServices;

// Shows the help file (HTML with one anchor per topic) beside the window,
// without blocking the run.
class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  HelpViewer(DesktopServices& services, QWidget* parent);
  // topic 0 shows the contents. Returns false (after telling the user) when
  // the file cannot be read.
  bool showTopic(const QString& helpFile, int topic);
  // Where the named help file is looked for: the program's folder, then
  // share/talvorstart beside it when installed.
  static QString locate(const QString& helpFile);
  static QString locate(const QString& helpFile, const QString& programFolder);
  // The anchor shown: "topic12", "contents".
  QString shownAnchor() const;

 private:
  DesktopServices& services_;
  QTextBrowser* browser_;
};
