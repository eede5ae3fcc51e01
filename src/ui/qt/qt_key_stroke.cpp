#include "ui/qt/qt_key_stroke.h"

#include <QKeyEvent>

namespace {

struct NamedQtKey {
  int qt;
  KeyStroke::Key key;
};
const NamedQtKey kNamed[] = {
    {Qt::Key_Tab, KeyStroke::Key::Tab},       {Qt::Key_Backtab, KeyStroke::Key::Tab},
    {Qt::Key_Escape, KeyStroke::Key::Escape}, {Qt::Key_Return, KeyStroke::Key::Enter},
    {Qt::Key_Enter, KeyStroke::Key::Enter},   {Qt::Key_Space, KeyStroke::Key::Space},
    {Qt::Key_Up, KeyStroke::Key::Up},         {Qt::Key_Down, KeyStroke::Key::Down},
    {Qt::Key_Left, KeyStroke::Key::Left},     {Qt::Key_Right, KeyStroke::Key::Right},
    {Qt::Key_Home, KeyStroke::Key::Home},     {Qt::Key_End, KeyStroke::Key::End},
};

}  // namespace

bool keyStrokeOf(const QKeyEvent& event, KeyStroke& out) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  const int key = event.key();
  out = KeyStroke();
  out.alt = mods & Qt::AltModifier;
  out.ctrl = mods & Qt::ControlModifier;
  out.shift = mods & Qt::ShiftModifier;
  for (const NamedQtKey& n : kNamed)
    if (key == n.qt) {
      out.key = n.key;
      return true;
    }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
    out.key = KeyStroke::Key::Function;
    out.character = char32_t(key - Qt::Key_F1 + 1);
    return true;
  }
  // Qt names printable keys by their (upper case) character.
  if (out.ctrl || out.alt) {
    if (key <= 0x20 || key >= 0x110000) return false;
    out.character = char32_t(QChar::toLower(char32_t(key)));
    return true;
  }
  const QList<uint> typed = event.text().toUcs4();
  if (typed.size() != 1 || typed[0] < 0x20 || typed[0] == 0x7F) return false;
  out.character = typed[0];
  out.shift = false;
  return true;
}
