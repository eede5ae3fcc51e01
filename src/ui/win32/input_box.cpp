#include "input_box.h"

#include "dialog_template.h"
#include "window_placement.h"

#include <vector>

namespace {

enum : WORD { kPrompt = 100, kAnswer = 101 };

struct Exchange {
  const std::wstring* prompt;
  const std::wstring* defaultText;
  std::wstring answer;
};

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  auto* exchange = reinterpret_cast<Exchange*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      exchange = reinterpret_cast<Exchange*>(l);
      SetWindowLongPtrW(dialog, DWLP_USER, l);
      SetDlgItemTextW(dialog, kPrompt, exchange->prompt->c_str());
      SetDlgItemTextW(dialog, kAnswer, exchange->defaultText->c_str());
      centreOverOwner(dialog);
      HWND answer = GetDlgItem(dialog, kAnswer);
      SendMessageW(answer, EM_SETSEL, 0, -1);
      SetFocus(answer);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(w) == IDOK) {
        HWND answer = GetDlgItem(dialog, kAnswer);
        std::vector<wchar_t> text(size_t(GetWindowTextLengthW(answer)) + 1);
        const int n = GetWindowTextW(answer, text.data(), int(text.size()));
        exchange->answer.assign(text.data(), size_t(n > 0 ? n : 0));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(w) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::wstring showInputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                          const std::wstring& defaultText) {
  // The classic prompt's proportions: prompt on the left, buttons on the right, answer below.
  DialogTemplate t(title, 246, 88);
  t.add(0x0082, L"", SS_LEFT | SS_NOPREFIX, 7, 7, 174, 50, kPrompt);
  t.add(0x0080, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 189, 7, 50, 14, IDOK);
  t.add(0x0080, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 189, 25, 50, 14, IDCANCEL);
  t.add(0x0081, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 64, 232, 14, kAnswer);
  Exchange exchange{&prompt, &defaultText, {}};
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner, procedure,
                                                 reinterpret_cast<LPARAM>(&exchange));
  return result == IDOK ? exchange.answer : std::wstring();
}
