#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int printShortDate(const wchar_t* file, int year, int month, int day);

// With --print-short-date FILE Y M D, a helper process for the date tests.
int main(int argc, char** argv) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count == 6 && std::wcscmp(args[1], L"--print-short-date") == 0)
    return printShortDate(args[2], _wtoi(args[3]), _wtoi(args[4]), _wtoi(args[5]));
  LocalFree(args);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
