#include "platform/key_string.h"

#include <cctype>

#include "platform/utf8_text.h"

namespace {

Status invalid(const std::string& why) { return Status::failure(failure_code::kInvalidArgument, why); }

std::string upper(const std::u32string& name) {
  std::string out;
  for (char32_t c : name) out += c < 0x80 ? char(std::toupper(int(c))) : '?';
  return out;
}

std::string utf8(const std::u32string& text) { return utf8Text(text); }

struct NamedKey {
  const char* name;
  KeyStroke::Key key;
};
const NamedKey kNamedKeys[] = {
    {"UP", KeyStroke::Key::Up},       {"DOWN", KeyStroke::Key::Down},   {"LEFT", KeyStroke::Key::Left},
    {"RIGHT", KeyStroke::Key::Right}, {"ENTER", KeyStroke::Key::Enter}, {"TAB", KeyStroke::Key::Tab},
    {"SPACE", KeyStroke::Key::Space}, {"ESC", KeyStroke::Key::Escape},  {"HOME", KeyStroke::Key::Home},
    {"END", KeyStroke::Key::End},
};

struct Modifier {
  char32_t sign;
  const char* name;
  bool KeyStroke::*flag;
};
const Modifier kModifiers[] = {
    {U'%', "Alt", &KeyStroke::alt}, {U'^', "Ctrl", &KeyStroke::ctrl}, {U'+', "Shift", &KeyStroke::shift}};

const Modifier* modifierOf(char32_t c) {
  for (const Modifier& m : kModifiers)
    if (m.sign == c) return &m;
  return nullptr;
}

// A key of the string, a pause, or a modifier for the next key; begin and
// end index the code points it came from.
struct Token {
  enum class Kind { Key, Pause, Modifier } kind = Kind::Key;
  KeyStroke stroke;
  int pauseMs = 0;
  const Modifier* modifier = nullptr;
  size_t begin = 0, end = 0;
};

// "WAIT n" with n whole milliseconds, 1 to kLongestPauseMs; -1 if the name
// is no pause, 0 if it is one with a bad number.
int pauseOf(const std::string& name) {
  if (name.rfind("WAIT", 0) != 0 || name.size() < 5 || name[4] != ' ') return -1;
  const std::string digits = name.substr(5);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int ms = std::stoi(digits);
  return ms <= kLongestPauseMs ? ms : 0;
}

bool tokenise(const std::u32string& chars, const std::string& quoted, std::vector<Token>& out, Status& status) {
  for (size_t i = 0; i < chars.size(); ++i) {
    Token t;
    t.begin = i;
    const char32_t c = chars[i];
    if (const Modifier* m = modifierOf(c)) {
      t.kind = Token::Kind::Modifier;
      t.modifier = m;
    } else if (c == U'{') {
      // A group is "{x}" for one character x, or "{NAME}".
      size_t close = std::u32string::npos;
      if (i + 2 < chars.size() && chars[i + 2] == U'}')
        close = i + 2;
      else
        close = chars.find(U'}', i + 1);
      if (close == std::u32string::npos) {
        status = invalid("\"{\" without a closing \"}\" in " + quoted);
        return false;
      }
      const std::u32string inner = chars.substr(i + 1, close - i - 1);
      const std::string name = upper(inner);
      const int pause = pauseOf(name);
      bool known = inner.size() == 1;
      if (known) t.stroke.character = inner[0];
      for (const NamedKey& k : kNamedKeys)
        if (!known && name == k.name) t.stroke.key = k.key, known = true;
      for (int f = 1; f <= 12 && !known; ++f)
        if (name == "F" + std::to_string(f))
          t.stroke.key = KeyStroke::Key::Function, t.stroke.character = char32_t(f), known = true;
      if (pause > 0) {
        t.kind = Token::Kind::Pause;
        t.pauseMs = pause;
      } else if (pause == 0) {
        status = invalid("the pause {" + utf8(inner) + "} is not 1 to " + std::to_string(kLongestPauseMs) +
                         " milliseconds in " + quoted);
        return false;
      } else if (!known) {
        status = invalid("unknown key {" + utf8(inner) + "} in " + quoted);
        return false;
      }
      i = close;
    } else {
      t.stroke.character = c;
    }
    t.end = i + 1;
    out.push_back(t);
  }
  return true;
}

// Folds the modifiers into the keys after them; a pause may not stand
// between a modifier and its key.
bool holdModifiers(std::vector<Token>& tokens, const std::string& quoted, Status& status) {
  std::vector<Token> out;
  KeyStroke held;
  bool pending = false;
  size_t begin = 0;
  for (Token& t : tokens) {
    if (t.kind == Token::Kind::Modifier) {
      bool& flag = held.*(t.modifier->flag);
      if (flag) {
        status = invalid(std::string(t.modifier->name) + " (" + utf8(std::u32string(1, t.modifier->sign)) +
                         ") cannot be held for another " + t.modifier->name + " in " + quoted);
        return false;
      }
      if (!pending) begin = t.begin;
      flag = pending = true;
      continue;
    }
    if (pending && t.kind == Token::Kind::Pause) break;
    if (pending) {
      t.stroke.alt = held.alt, t.stroke.ctrl = held.ctrl, t.stroke.shift = held.shift;
      t.begin = begin;
    }
    held = KeyStroke();
    pending = false;
    out.push_back(t);
  }
  if (pending) {
    status = invalid("a modifier (%, ^ or +) is not followed by a key in " + quoted);
    return false;
  }
  tokens = out;
  return true;
}

bool tokens(const std::string& keys, std::u32string& chars, std::vector<Token>& out, Status& status) {
  chars = codePoints(keys);
  const std::string quoted = "\"" + keys + "\"";
  return tokenise(chars, quoted, out, status) && holdModifiers(out, quoted, status);
}

}  // namespace

ParsedKeys parseKeyString(const std::string& keys) {
  ParsedKeys out;
  std::u32string chars;
  std::vector<Token> list;
  if (!tokens(keys, chars, list, out.status)) return out;
  for (const Token& t : list) {
    if (t.kind == Token::Kind::Pause) return {invalid("a pause cannot be sent as a key in \"" + keys + "\""), {}};
    out.strokes.push_back(t.stroke);
  }
  return out;
}

SplitKeys splitAtPauses(const std::string& keys) {
  SplitKeys out;
  std::u32string chars;
  std::vector<Token> list;
  if (!tokens(keys, chars, list, out.status)) return out;
  KeyPart part;
  for (const Token& t : list) {
    if (t.kind == Token::Kind::Pause) {
      if (!part.keys.empty() || part.pauseMs > 0) out.parts.push_back(part);
      part = KeyPart();
      part.pauseMs = t.pauseMs;
    } else {
      part.keys += utf8(chars.substr(t.begin, t.end - t.begin));
    }
  }
  if (!part.keys.empty() || part.pauseMs > 0) out.parts.push_back(part);
  return out;
}

std::string keyNotation(const KeyStroke& s) {
  std::string key;
  if (s.key == KeyStroke::Key::Function) {
    if (s.character < 1 || s.character > 12) return "";
    key = "{F" + std::to_string(int(s.character)) + "}";
  } else if (s.key == KeyStroke::Key::Character) {
    if (s.character == 0) return "";
    const std::string c = utf8(std::u32string(1, s.character));
    key = escapeKeys(c);
  } else {
    for (const NamedKey& k : kNamedKeys)
      if (k.key == s.key) key = std::string("{") + k.name + "}";
  }
  std::string out;
  for (const Modifier& m : kModifiers)
    if (s.*(m.flag)) out += char(m.sign);
  return out + key;
}

std::string escapeKeys(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '{' || c == '}' || c == '%' || c == '^' || c == '+')
      out += std::string("{") + c + "}";
    else
      out += c;
  }
  return out;
}

std::string shortcutKeys(const std::string& setting) {
  if (codePoints(setting).size() == 1 || setting.find_first_of("%^+{}") == std::string::npos)
    return setting.empty() ? setting : "%" + escapeKeys(setting);
  return setting;
}
