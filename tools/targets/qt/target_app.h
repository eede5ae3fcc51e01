#pragma once

class QApplication;
class QWidget;
class KeyLog;

// What every Qt backup program of the tests does once its window is built:
// shows it, writes "ready PID" to its key log once the event loop runs, and
// runs until closed.
int runTarget(QApplication& app, QWidget& window, KeyLog& log);
