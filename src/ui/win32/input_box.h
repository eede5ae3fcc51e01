#pragma once

#include <windows.h>

#include <string>

// A modal prompt over the owner: the prompt, an answer pre-filled with the
// default text, OK and Cancel. Gives the text entered; Cancel, Esc or the
// close box give the empty text.
std::wstring showInputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                          const std::wstring& defaultText);
