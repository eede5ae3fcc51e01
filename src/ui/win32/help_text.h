#pragma once

#include <map>
#include <string>

// The help file (HTML, one anchor per topic) as plain text for the help
// window: paragraphs, headings and numbered steps on lines of their own.
struct HelpText {
  std::wstring text;             // lines end in CR LF, as an edit control wants them
  std::map<int, size_t> topicStart;  // topic number (0 the contents) to where its heading starts in text
};

HelpText helpTextFromHtml(const std::string& utf8Html);
