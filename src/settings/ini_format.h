#pragma once

#include <optional>
#include <string>
#include <string_view>

// The INI dialect that earlier versions wrote through QSettings, so that
// every file they left reads back unchanged and ours read the same there.
namespace settings::ini {

// A string value as QSettings writes it: C escapes for control characters,
// quotes when it holds , ; = or starts or ends with a blank, a leading @
// doubled. UTF-8 passes as it is.
std::string escapeValue(std::string_view utf8);

// The text of a raw value (everything after '=' on its line), read the way
// QSettings reads it: quotes and escapes resolved, blanks around trimmed, an
// unquoted list joined with ", ". None for "@Invalid()", which means absent.
std::optional<std::string> unescapeValue(std::string_view raw);

// Section and key names: %XX, %UXXXX and \ for / as QSettings writes them.
std::string escapeKey(std::string_view utf8);
std::string unescapeKey(std::string_view raw);

// Appends the UTF-8 form of one UTF-16 code unit (a lone surrogate becomes
// U+FFFD).
void appendCodeUnit(std::string& out, unsigned unit);

}  // namespace settings::ini
