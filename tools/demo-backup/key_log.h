#pragma once

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Appends every key the program receives, and each job started, to a log
// file: one line each, flushed at once so that a test can read it live. A
// window with the property "keyLogPrefix" logs its keys under that word.
class KeyLog : public QObject {
  Q_OBJECT
 public:
  explicit KeyLog(const QString& path, QObject* parent = nullptr);
  void write(const QString& line);
  // Called with the number of keys logged so far, after each.
  std::function<void(int)> onKey;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFile file_;
  const QEvent* lastLogged_ = nullptr;
  QPointer<QWidget> lastReceiver_;
  int keys_ = 0;
};
