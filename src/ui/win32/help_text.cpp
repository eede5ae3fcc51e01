#include "help_text.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

std::wstring wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring out(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
  return out;
}

class Writer {
 public:
  void word(const std::wstring& w) {
    if (w.empty()) return;
    if (pendingSpace_ && !atLineStart()) out_ += L' ';
    pendingSpace_ = false;
    out_ += w;
  }
  void space() { pendingSpace_ = true; }
  void endLine() {
    if (!atLineStart()) newline();
    pendingSpace_ = false;
  }
  // One empty line between blocks, never two, none at the top.
  void blankLine() {
    endLine();
    if (!out_.empty() && !endsWithBlank()) newline();
  }
  size_t position() const { return out_.size(); }
  std::wstring take() {
    endLine();
    return std::move(out_);
  }

 private:
  bool atLineStart() const { return out_.empty() || out_.back() == L'\n'; }
  bool endsWithBlank() const { return out_.size() >= 4 && out_.compare(out_.size() - 4, 4, L"\r\n\r\n") == 0; }
  void newline() { out_ += L"\r\n"; }
  std::wstring out_;
  bool pendingSpace_ = false;
};

std::wstring entity(const std::string& name) {
  if (name == "amp") return L"&";
  if (name == "lt") return L"<";
  if (name == "gt") return L">";
  if (name == "quot") return L"\"";
  if (name == "apos" || name == "#39") return L"'";
  if (name == "nbsp") return L"\u00A0";
  if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const char* digits = name.c_str() + (hex ? 2 : 1);
    char* end = nullptr;
    const unsigned long code = std::strtoul(digits, &end, hex ? 16 : 10);
    if (end != digits && *end == '\0' && code > 0 && code < 0xD800) return std::wstring(1, wchar_t(code));
  }
  return wide("&" + name + ";");
}

// The value of name="..." in a tag's text, or empty.
std::string attribute(const std::string& tag, const std::string& name) {
  const size_t at = tag.find(name + "=\"");
  if (at == std::string::npos) return {};
  const size_t start = at + name.size() + 2;
  const size_t end = tag.find('"', start);
  return end == std::string::npos ? std::string() : tag.substr(start, end - start);
}

}  // namespace

HelpText helpTextFromHtml(const std::string& html) {
  HelpText help;
  Writer out;
  std::string word;
  std::vector<int> listCounters;  // one per open list; -1 for a bulleted one
  bool inTitle = false;
  auto flushWord = [&] {
    out.word(wide(word));
    word.clear();
  };
  for (size_t i = 0; i < html.size();) {
    const char c = html[i];
    if (c == '<') {
      flushWord();
      const size_t end = html.find('>', i);
      if (end == std::string::npos) break;
      std::string tag = html.substr(i + 1, end - i - 1);
      i = end + 1;
      std::string name;
      for (char t : tag) {
        if (std::isspace(static_cast<unsigned char>(t))) break;
        name += char(std::tolower(static_cast<unsigned char>(t)));
      }
      if (name == "title") inTitle = true;
      else if (name == "/title") inTitle = false;
      else if (name == "p" || name == "h1" || name == "h2" || name == "h3" || name == "ol" || name == "ul") {
        out.blankLine();
        if (name == "ol") listCounters.push_back(0);
        if (name == "ul") listCounters.push_back(-1);
      } else if (name == "/p" || name == "/h1" || name == "/h2" || name == "/h3" || name == "/ol" || name == "/ul") {
        out.blankLine();
        if ((name == "/ol" || name == "/ul") && !listCounters.empty()) listCounters.pop_back();
      } else if (name == "br") {
        out.endLine();
      } else if (name == "li") {
        out.endLine();
        int& counter = listCounters.empty() ? *listCounters.insert(listCounters.end(), -1) : listCounters.back();
        out.word(counter < 0 ? L"  \u2022" : L"  " + std::to_wstring(++counter) + L".");
        out.space();
      } else if (name == "a") {
        const std::string anchor = attribute(tag, "name");
        if (anchor == "contents") help.topicStart[0] = out.position();
        else if (anchor.rfind("topic", 0) == 0 && anchor.size() > 5)
          help.topicStart[std::atoi(anchor.c_str() + 5)] = out.position();
      }
      continue;
    }
    if (inTitle) {
      ++i;
      continue;
    }
    if (c == '&') {
      const size_t end = html.find(';', i);
      if (end != std::string::npos && end - i < 10) {
        flushWord();
        out.word(entity(html.substr(i + 1, end - i - 1)));
        i = end + 1;
        continue;
      }
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      flushWord();
      out.space();
    } else {
      word += c;
    }
    ++i;
  }
  flushWord();
  help.text = out.take();
  return help;
}
