#include "key_log.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QTextStream>

KeyLog::KeyLog(const QString& path, QObject* parent) : QObject(parent), file_(path) {
  if (!path.isEmpty()) file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void KeyLog::write(const QString& line) {
  if (!file_.isOpen()) return;
  file_.write(line.toUtf8() + '\n');
  file_.flush();
}

bool KeyLog::eventFilter(QObject*, QEvent* event) {
  // A mnemonic arrives as a shortcut event, every other key as a key press;
  // a press that travels up to the parents is logged once.
  QString text;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    if (k == Qt::Key_Alt || k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Meta) return false;
    if (event == lastLogged_ && key->timestamp() == lastTimestamp_) return false;
    lastLogged_ = event;
    lastTimestamp_ = key->timestamp();
    text = QKeySequence(key->keyCombination()).toString(QKeySequence::PortableText);
  } else if (event->type() == QEvent::Shortcut) {
    text = static_cast<QShortcutEvent*>(event)->key().toString(QKeySequence::PortableText);
  } else {
    return false;
  }
  write(QStringLiteral("key ") + text);
  return false;
}
