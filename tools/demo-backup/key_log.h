#pragma once

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Appends every key the program receives, and each job started, to a log
// file: one line each, flushed at once so that a test can read it live.
class KeyLog : public QObject {
  Q_OBJECT
 public:
  explicit KeyLog(const QString& path, QObject* parent = nullptr);
  void write(const QString& line);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFile file_;
  const QEvent* lastLogged_ = nullptr;
  QPointer<QWidget> lastReceiver_;
};
