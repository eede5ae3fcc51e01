#include "focus_key_drop.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "key_log.h"

FocusKeyDrop::FocusKeyDrop(KeyLog& log, int dropMs, QObject* parent) : QObject(parent), log_(log), dropMs_(dropMs) {}

bool FocusKeyDrop::dropping() const { return sinceFocus_.isValid() && sinceFocus_.elapsed() < dropMs_; }

bool FocusKeyDrop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWindow()) sinceFocus_.start();
      return false;
    case QEvent::FocusIn:
      // A focus move inside the window (Alt+B to the job list) is no new focus.
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) sinceFocus_.start();
      return false;
    case QEvent::ShortcutOverride:
      // Taken as overridden, so that the key comes as a press and is dropped there.
      if (!dropping()) return false;
      event->accept();
      return true;
    case QEvent::KeyPress: {
      if (!dropping()) return false;
      auto* key = static_cast<QKeyEvent*>(event);
      const int k = key->key();
      const bool modifier = k == Qt::Key_Alt || k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Meta;
      // The window gets each press first; stopped there, no widget sees it.
      if (!modifier && watched->isWindowType())
        log_.write(QStringLiteral("dropped ") +
                   QKeySequence(k | int(key->modifiers())).toString(QKeySequence::PortableText));
      event->accept();
      return true;
    }
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
      return dropping();
    default:
      return false;
  }
}
