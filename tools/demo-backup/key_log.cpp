#include "key_log.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QTextStream>
#include <QWidget>

KeyLog::KeyLog(const QString& path, QObject* parent) : QObject(parent), file_(path) {
  if (!path.isEmpty()) file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void KeyLog::write(const QString& line) {
  if (!file_.isOpen()) return;
  file_.write(line.toUtf8() + '\n');
  file_.flush();
}

bool KeyLog::eventFilter(QObject* receiver, QEvent* event) {
  // A mnemonic arrives as a shortcut event, every other key as a key press;
  // a press that travels up to the parents is logged once. Fast keys can
  // reuse one address with one timestamp, so only the way up tells a
  // travelling press from the next one.
  QString text;
  QWidget* window = nullptr;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    if (k == Qt::Key_Alt || k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Meta) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget) return false;  // the window gets it first, then hands it on to the widgets
    const bool travelling =
        event == lastLogged_ && lastReceiver_ && widget != lastReceiver_ && widget->isAncestorOf(lastReceiver_);
    lastLogged_ = event;
    lastReceiver_ = widget;
    if (travelling) return false;
#if QT_VERSION_MAJOR >= 6
    text = QKeySequence(key->keyCombination()).toString(QKeySequence::PortableText);
#else  // the Qt 5 targets of the tests share this log
    text = QKeySequence(k | int(key->modifiers())).toString(QKeySequence::PortableText);
#endif
    window = widget->window();
  } else if (event->type() == QEvent::Shortcut) {
    text = static_cast<QShortcutEvent*>(event)->key().toString(QKeySequence::PortableText);
    if (auto* widget = qobject_cast<QWidget*>(receiver)) window = widget->window();
  } else {
    return false;
  }
  const QString prefix = window ? window->property("keyLogPrefix").toString() : QString();
  write((prefix.isEmpty() ? QStringLiteral("key") : prefix) + QLatin1Char(' ') + text);
  if (onKey) onKey(++keys_);
  return false;
}
