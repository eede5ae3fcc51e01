#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A dialog template built in memory, in dialog units, with the system's
// dialog font (DS_SHELLFONT), so that no resource script is needed.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, short width, short height);
  // Predefined classes: 0x0080 button, 0x0081 edit, 0x0082 static.
  void add(WORD controlClass, const std::wstring& text, DWORD style, short x, short y, short cx, short cy, WORD id);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void text(const std::wstring& s);
  void alignToDword();
  std::vector<WORD> words_;
};
