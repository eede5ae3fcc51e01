#pragma once

#include <QWidget>

class QListWidget;
class QLabel;
class KeyLog;

// A backup program with no shortcut at all: the focus starts in a comment
// field, Tab reaches the job list, Tab again the start button, and Space
// presses it.
class TabOnlyWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TabOnlyWindow(KeyLog& log, QWidget* parent = nullptr);

 private:
  void startBackup();

  KeyLog& log_;
  QListWidget* jobs_;
  QLabel* started_;
};
