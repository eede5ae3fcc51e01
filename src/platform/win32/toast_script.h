#pragma once

#include <cstddef>
#include <string>

// The Windows PowerShell script that shows a toast in the notification
// centre, and the command line that runs it. Plain C++ without windows.h,
// so that its text is tested on every system.
//
// The texts reach the script as data only: escaped for XML, then quoted as
// a PowerShell literal, and the whole script travels base64-encoded, so no
// character of theirs can end a string or the command line.

// UTF-16 from UTF-8; a byte that starts no valid sequence becomes U+FFFD.
std::u16string utf16FromUtf8(const std::string& utf8);

// Text for an XML element or attribute: & < > " ' as entities, and the
// characters XML 1.0 forbids (controls but tab and line ends) as U+FFFD.
std::u16string xmlEscaped(const std::u16string& text);

// A single-quoted PowerShell literal. PowerShell also ends such a string
// at the typographic single quotes, so those are doubled too.
std::u16string powerShellQuoted(const std::u16string& text);

// At most this many UTF-16 units of the title and of the body are shown (a
// toast shows a few lines anyway); the cut is marked with an ellipsis. It
// keeps the command line far below the 32,767 characters Windows allows.
constexpr std::size_t kToastTitleLimit = 200;
constexpr std::size_t kToastBodyLimit = 1000;

// The script's exit statuses besides 0 (shown).
namespace toast_status {
constexpr int kNoToastTypes = 2;  // the notification types of Windows did not load
constexpr int kRefused = 3;       // Windows did not take the toast
constexpr int kTurnedOff = 4;     // the user or a policy turned them off
}  // namespace toast_status

// The script for the app id (a plain AppUserModelID: letters, digits, dots).
std::u16string toastScript(const std::string& appId, const std::string& title, const std::string& body);

// Base64 of the script's UTF-16LE bytes, as -EncodedCommand takes it.
std::string encodedCommand(const std::u16string& script);

// Windows PowerShell's arguments (after its own quoted path): no profile, no
// prompt, no window, the script encoded.
std::string toastArguments(const std::u16string& script);
