#include "platform/key_string.h"

#include <cctype>

namespace {

Status invalid(const std::string& why) { return Status::failure(failure_code::kInvalidArgument, why); }

// Code points of a UTF-8 text; a byte that starts no valid sequence stands
// for itself, so nothing is ever dropped.
std::u32string codePoints(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    const int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    bool whole = length > 0 && i + size_t(length) <= text.size();
    for (int k = 1; whole && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + size_t(k)]);
      if ((next & 0xC0) != 0x80) whole = false;
      c = (c << 6) | (next & 0x3F);
    }
    if (!whole) {
      out += char32_t(b);
      ++i;
    } else {
      out += c;
      i += size_t(length);
    }
  }
  return out;
}

std::string upper(const std::u32string& name) {
  std::string out;
  for (char32_t c : name) out += c < 0x80 ? char(std::toupper(int(c))) : '?';
  return out;
}

std::string utf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

ParsedKeys parseKeyString(const std::string& keys) {
  ParsedKeys out;
  const std::u32string chars = codePoints(keys);
  const std::string quoted = "\"" + keys + "\"";
  bool altPending = false;
  for (size_t i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i];
    if (c == U'%') {
      if (altPending) return {invalid("Alt (%) cannot be held for another Alt in " + quoted), {}};
      altPending = true;
      continue;
    }
    KeyStroke stroke;
    if (c == U'{') {
      // A group is "{x}" for one character x, or "{NAME}".
      size_t close = std::u32string::npos;
      if (i + 2 < chars.size() && chars[i + 2] == U'}') close = i + 2;
      else close = chars.find(U'}', i + 1);
      if (close == std::u32string::npos) return {invalid("\"{\" without a closing \"}\" in " + quoted), {}};
      const std::u32string inner = chars.substr(i + 1, close - i - 1);
      const std::string name = upper(inner);
      if (inner.size() == 1) {
        stroke.character = inner[0];
      } else if (name == "UP") {
        stroke.key = KeyStroke::Key::Up;
      } else if (name == "DOWN") {
        stroke.key = KeyStroke::Key::Down;
      } else if (name == "ENTER") {
        stroke.key = KeyStroke::Key::Enter;
      } else if (name == "F1") {
        stroke.key = KeyStroke::Key::F1;
      } else {
        return {invalid("unknown key {" + utf8(inner) + "} in " + quoted), {}};
      }
      i = close;
    } else {
      stroke.character = c;
    }
    stroke.alt = altPending;
    altPending = false;
    out.strokes.push_back(stroke);
  }
  if (altPending) return {invalid("Alt (%) is not followed by a key in " + quoted), {}};
  return out;
}

std::string escapeKeys(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '{' || c == '}' || c == '%') out += std::string("{") + c + "}";
    else out += c;
  }
  return out;
}
