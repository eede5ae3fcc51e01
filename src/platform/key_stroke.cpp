#include "platform/key_stroke.h"

std::uint32_t namedKeysym(const KeyStroke& s) {
  switch (s.key) {
    case KeyStroke::Key::Up:
      return 0xff52;
    case KeyStroke::Key::Down:
      return 0xff54;
    case KeyStroke::Key::Left:
      return 0xff51;
    case KeyStroke::Key::Right:
      return 0xff53;
    case KeyStroke::Key::Enter:
      return 0xff0d;
    case KeyStroke::Key::Tab:
      return 0xff09;
    case KeyStroke::Key::Space:
      return 0x0020;
    case KeyStroke::Key::Escape:
      return 0xff1b;
    case KeyStroke::Key::Home:
      return 0xff50;
    case KeyStroke::Key::End:
      return 0xff57;
    case KeyStroke::Key::Function:
      return 0xffbe + (s.character - 1);  // F1 and on, consecutive
    case KeyStroke::Key::Character:
      break;
  }
  return 0;
}
