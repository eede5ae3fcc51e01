#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class KeyLog;

// The backup program's window as the tool sees it: a job list reached with
// Alt+B and a start button reached with Alt+S.
class DemoWindow : public QWidget {
  Q_OBJECT
 public:
  DemoWindow(KeyLog& log, QWidget* parent = nullptr);

 private:
  void startBackup();

  KeyLog& log_;
  QComboBox* jobs_;
  QLabel* started_;
};
