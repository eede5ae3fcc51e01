#pragma once

#include "platform/key_stroke.h"
#include "platform/status.h"

#include <string>
#include <vector>

// The key-string notation (UTF-8): "%" holds Alt for the next key; "{UP}",
// "{DOWN}", "{ENTER}" and "{F1}" press the named key; "{x}" types the single
// character x (so "{{}", "{}}" and "{%}" type those characters); any other
// character types itself.
struct ParsedKeys {
  Status status;
  std::vector<KeyStroke> strokes;
};

ParsedKeys parseKeyString(const std::string& keys);

// The text escaped so that it types itself and is never read as notation:
// "B" stays "B", "{" gives "{{}".
std::string escapeKeys(const std::string& text);
