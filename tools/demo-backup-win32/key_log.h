#pragma once

#include <windows.h>

#include <string>

// Appends every key the program receives, and each job started, to a log
// file: one line each, written through at once so that a test reads it live.
// The lines are those of the Linux demo: "key Alt+B", "key Up", "started 3".
class KeyLog {
 public:
  explicit KeyLog(const std::wstring& path);
  ~KeyLog();
  KeyLog(const KeyLog&) = delete;
  KeyLog& operator=(const KeyLog&) = delete;

  void write(const std::string& line);
  // Logs a key press that the message loop is about to hand on; true when
  // it was one (a key of its own, not a modifier).
  bool key(const MSG& message, const char* prefix = "key ");

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

// "Alt+B", "Up", "Return", ...; empty for a modifier on its own.
std::string keyName(WPARAM virtualKey, bool alt);
