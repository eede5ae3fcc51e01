#pragma once

#include <QElapsedTimer>
#include <QObject>

class KeyLog;

// Drops every key that arrives within a short time after the window got the
// focus, as some programs do that set up their input only then: a key sent
// at once is lost, one sent a moment later is seen. A dropped press is
// logged as "dropped KEY", never as "key KEY". Install after the key log, so
// that it sees the events first.
class FocusKeyDrop : public QObject {
  Q_OBJECT
 public:
  FocusKeyDrop(KeyLog& log, int dropMs, QObject* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool dropping() const;

  KeyLog& log_;
  const int dropMs_;
  QElapsedTimer sinceFocus_;
};
