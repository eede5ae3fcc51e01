#include "dialog_template.h"

namespace {

void put(std::vector<WORD>& words, DWORD value) {
  words.push_back(LOWORD(value));
  words.push_back(HIWORD(value));
}

}  // namespace

DialogTemplate::DialogTemplate(const std::wstring& title, short width, short height) {
  // DLGTEMPLATEEX header.
  words_.push_back(1);
  words_.push_back(0xFFFF);
  put(words_, 0);  // help id
  put(words_, 0);  // extended style
  put(words_, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT);
  words_.push_back(0);  // item count, counted by add()
  words_.push_back(0);  // x, y: placed over the owner when shown
  words_.push_back(0);
  words_.push_back(WORD(width));
  words_.push_back(WORD(height));
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the standard dialog class
  text(title);
  words_.push_back(8);  // point size
  words_.push_back(FW_NORMAL);
  words_.push_back(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
  text(L"MS Shell Dlg");
}

void DialogTemplate::text(const std::wstring& s) {
  words_.insert(words_.end(), s.begin(), s.end());
  words_.push_back(0);
}

void DialogTemplate::alignToDword() {
  if (words_.size() % 2) words_.push_back(0);
}

void DialogTemplate::add(WORD controlClass, const std::wstring& caption, DWORD style, short x, short y, short cx,
                         short cy, WORD id) {
  alignToDword();
  put(words_, 0);  // help id
  put(words_, 0);  // extended style
  put(words_, style | WS_CHILD | WS_VISIBLE);
  words_.push_back(WORD(x));
  words_.push_back(WORD(y));
  words_.push_back(WORD(cx));
  words_.push_back(WORD(cy));
  put(words_, id);
  words_.push_back(0xFFFF);
  words_.push_back(controlClass);
  text(caption);
  words_.push_back(0);  // no creation data
  ++words_[8];          // the header's item count
}
