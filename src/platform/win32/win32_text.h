#pragma once

#include <windows.h>

#include <string>

// Text between the UTF-8 of the shared interface and the UTF-16 of Win32.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);

// The system's own description of an error code, without a trailing line break.
std::string systemMessage(DWORD error);
