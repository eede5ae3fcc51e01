// The registry store against values as an existing install left them, laid
// out with reg.exe, and a second start while one runs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/single_instance.h"
#include "settings/registry_store.h"
#include "test_windows.h"

namespace {

const wchar_t kInstall[] = L"Software\\VB and VBA Program Settings\\TalvorStart";

// The key's unnamed value is not "Last Backup"; OnceOnly is of another type.
const char kExistingInstall[] = R"(REGEDIT4

[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TalvorStart\Start]
"Default"="0"
@="1"
"Title"="Microsoft Backup"
"Letter"=""
"OnceOnly"=dword:00000001

[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TalvorStart\Month]
"12onoff"="1"
)";

// A string value read straight from the registry, not through the store.
std::wstring rawValue(const wchar_t* name) {
  const std::wstring path = std::wstring(kInstall) + L"\\Start";
  wchar_t buffer[256] = {};
  DWORD size = sizeof buffer;
  const LSTATUS s = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size);
  return s == ERROR_SUCCESS ? buffer : L"<missing>";
}

}  // namespace

TEST(RegistryStore, ReadsAnExistingInstallsValuesByTheirNamesAndWritesStringValues) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kInstall);
  const std::wstring file = tempPath(L"install.reg");
  std::ofstream(file.c_str(), std::ios::binary) << kExistingInstall;
  ASSERT_EQ(_wsystem((L"reg import \"" + file + L"\" >NUL 2>&1").c_str()), 0) << "reg import failed";
  DeleteFileW(file.c_str());
  settings::RegistryStore store;
  const char* reads[][4] = {{"Start", "Default", "1", "0"},
                            {"Start", "Title", "", "Microsoft Backup"},
                            {"Start", "Letter", "S", ""},
                            {"Start", "BackupJobLetter", "B", "B"},
                            {"Month", "12onoff", "0", "1"},
                            {"Nowhere", "Nothing", "d", "d"},
                            {"Start", "OnceOnly", "default", "default"}};
  for (const auto& r : reads) EXPECT_EQ(store.GetSetting("TalvorStart", r[0], r[1], r[2]), r[3]) << r[1];

  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Start", "Default", "1").ok);
  EXPECT_EQ(rawValue(L"Default"), L"1");
  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Start", "Default", "0").ok);
  EXPECT_EQ(rawValue(nullptr), L"1") << "the unnamed value is never written";
  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Start", "Title", "Sicherung für Büro").ok);
  EXPECT_EQ(rawValue(L"Title"), L"Sicherung f\u00fcr B\u00fcro");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Title"), "Sicherung für Büro");
  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Sunday", "Backup", "").ok);  // a new section
  EXPECT_EQ(store.GetSetting("TalvorStart", "Sunday", "Backup", "1"), "");
  RegDeleteTreeW(HKEY_CURRENT_USER, kInstall);
}

TEST(SingleInstanceOnWindows, ASecondStartSeesTheFirstUntilItEnds) {
  {
    SingleInstance first("");
    ASSERT_TRUE(first.first());
    SingleInstance second("");
    EXPECT_FALSE(second.first());
    EXPECT_EQ(second.holderPid(), long(GetCurrentProcessId()));  // to bring its window forward
  }
  EXPECT_TRUE(SingleInstance("").first());
}
