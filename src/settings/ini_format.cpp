#include "settings/ini_format.h"

#include <vector>

namespace settings::ini {
namespace {

bool isHexDigit(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
int octValue(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

void appendHex(std::string& out, unsigned value) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  do {
    hex.insert(hex.begin(), digits[value % 16]);
    value /= 16;
  } while (value);
  out += hex;
}

void chopTrailingBlanks(std::string& s, size_t limit) {
  while (s.size() > limit && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
}

// How QSettings reads a single string that starts with '@'.
std::optional<std::string> unescapeAtForm(std::string s) {
  if (s.empty() || s[0] != '@') return s;
  if (s.back() == ')') {
    for (std::string_view prefix : {"@ByteArray(", "@String("}) {
      if (s.compare(0, prefix.size(), prefix) == 0) return s.substr(prefix.size(), s.size() - prefix.size() - 1);
    }
    if (s == "@Invalid()") return std::nullopt;
  }
  if (s.compare(0, 2, "@@") == 0) return s.substr(1);
  return s;
}

}  // namespace

void appendCodeUnit(std::string& out, unsigned u) {
  if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
  if (u < 0x80) {
    out += char(u);
  } else if (u < 0x800) {
    out += char(0xC0 | (u >> 6));
    out += char(0x80 | (u & 0x3F));
  } else {
    out += char(0xE0 | (u >> 12));
    out += char(0x80 | ((u >> 6) & 0x3F));
    out += char(0x80 | (u & 0x3F));
  }
}

std::string escapeValue(std::string_view text) {
  std::string s(text);
  if (!s.empty() && s[0] == '@') s.insert(s.begin(), '@');
  std::string out;
  bool needsQuotes = false;
  bool escapeNextIfDigit = false;
  for (unsigned char c : s) {
    if (c == ';' || c == ',' || c == '=') needsQuotes = true;
    if (escapeNextIfDigit && isHexDigit(c)) {
      out += "\\x";
      appendHex(out, c);
      continue;
    }
    escapeNextIfDigit = false;
    switch (c) {
      case '\0': out += "\\0"; escapeNextIfDigit = true; break;
      case '\a': out += "\\a"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\v': out += "\\v"; break;
      case '"':
      case '\\':
        out += '\\';
        out += char(c);
        break;
      default:
        if (c <= 0x1F) {
          out += "\\x";
          appendHex(out, c);
          escapeNextIfDigit = true;
        } else {
          out += char(c);
        }
    }
  }
  if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) out = '"' + out + '"';
  return out;
}

std::optional<std::string> unescapeValue(std::string_view raw) {
  static const char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
                                     {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
  std::vector<std::string> list;
  bool isList = false;
  bool inQuotes = false;
  bool currentQuoted = false;
  std::string cur;
  size_t i = 0;
  const size_t n = raw.size();
  auto skipBlanks = [&] {
    while (i < n && (raw[i] == ' ' || raw[i] == '\t')) ++i;
  };
  skipBlanks();
  size_t chopLimit = 0;
  while (i < n) {
    const char c = raw[i];
    if (c == '\\') {
      ++i;
      if (i >= n) break;
      const char e = raw[i++];
      bool named = false;
      for (const auto& esc : kEscapes) {
        if (e == esc[0]) {
          cur += esc[1];
          named = true;
          break;
        }
      }
      if (named) {
        chopLimit = cur.size();
        continue;
      }
      if (e == 'x' && i < n && isHexDigit(static_cast<unsigned char>(raw[i]))) {
        unsigned v = 0;
        while (i < n && hexValue(raw[i]) >= 0) v = ((v << 4) + unsigned(hexValue(raw[i++]))) & 0xFFFF;
        appendCodeUnit(cur, v);
      } else if (octValue(e) >= 0) {
        unsigned v = unsigned(octValue(e));
        while (i < n && octValue(raw[i]) >= 0) v = ((v << 3) + unsigned(octValue(raw[i++]))) & 0xFFFF;
        appendCodeUnit(cur, v);
      } else if ((e == '\n' || e == '\r') && i < n && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) {
        ++i;  // a line continuation
      }
      chopLimit = cur.size();
    } else if (c == '"') {
      ++i;
      currentQuoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) {
        skipBlanks();
        chopLimit = cur.size();
      }
    } else if (c == ',' && !inQuotes) {
      if (!currentQuoted) chopTrailingBlanks(cur, chopLimit);
      isList = true;
      list.push_back(cur);
      cur.clear();
      currentQuoted = false;
      ++i;
      skipBlanks();
      chopLimit = 0;
    } else {
      size_t j = i + 1;
      while (j < n && raw[j] != '\\' && raw[j] != '"' && raw[j] != ',') ++j;
      cur.append(raw.substr(i, j - i));
      i = j;
    }
  }
  if (!currentQuoted) chopTrailingBlanks(cur, chopLimit);
  if (!isList) return unescapeAtForm(cur);
  list.push_back(cur);
  std::string joined;
  for (size_t k = 0; k < list.size(); ++k) {
    if (k) joined += ", ";
    joined += unescapeAtForm(list[k]).value_or(std::string());
  }
  return joined;
}

std::string escapeKey(std::string_view key) {
  std::string out;
  for (size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    if (c == '/') {
      out += '\\';
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '-' || c == '.') {
      out += char(c);
    } else {
      // Decode one UTF-8 sequence to the code unit QSettings escapes.
      unsigned cp = c;
      int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
      if (extra) cp = c & (0x3F >> extra);
      for (; extra > 0 && i + 1 < key.size(); --extra) cp = (cp << 6) | (static_cast<unsigned char>(key[++i]) & 0x3F);
      if (cp > 0xFFFF) cp = 0xFFFD;
      static const char digits[] = "0123456789ABCDEF";
      if (cp <= 0xFF) {
        out += '%';
        out += digits[cp >> 4];
        out += digits[cp & 15];
      } else {
        out += "%U";
        for (int shift = 12; shift >= 0; shift -= 4) out += digits[(cp >> shift) & 15];
      }
    }
  }
  return out;
}

std::string unescapeKey(std::string_view raw) {
  std::string out;
  size_t i = 0;
  while (i < raw.size()) {
    const char c = raw[i];
    if (c == '\\') {
      out += '/';
      ++i;
      continue;
    }
    if (c != '%' || i + 1 == raw.size()) {
      out += c;
      ++i;
      continue;
    }
    size_t first = i + 1;
    size_t digits = 2;
    if (raw[first] == 'U') {
      ++first;
      digits = 4;
    }
    unsigned v = 0;
    bool ok = first + digits <= raw.size();
    for (size_t k = 0; ok && k < digits; ++k) {
      const int h = hexValue(raw[first + k]);
      ok = h >= 0;
      v = (v << 4) | unsigned(h < 0 ? 0 : h);
    }
    if (!ok) {
      out += '%';
      ++i;
      continue;
    }
    appendCodeUnit(out, v);
    i = first + digits;
  }
  return out;
}

}  // namespace settings::ini
