#include "short_date.h"

#include <windows.h>

std::wstring shortDateText(int year, int month, int day) {
  SYSTEMTIME date{};
  date.wYear = WORD(year);
  date.wMonth = WORD(month);
  date.wDay = WORD(day);
  wchar_t text[128];
  const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 128, nullptr);
  if (n > 0) return std::wstring(text, size_t(n - 1));
  // Never an empty date: that would read as "never run".
  return std::to_wstring(year) + L"-" + (month < 10 ? L"0" : L"") + std::to_wstring(month) + L"-" +
         (day < 10 ? L"0" : L"") + std::to_wstring(day);
}
