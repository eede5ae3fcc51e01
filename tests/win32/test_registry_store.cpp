// The registry store against values as an existing install left them, laid
// out with reg.exe, and a second start while one runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/single_instance.h"
#include "settings/registry_store.h"

namespace {

const wchar_t kInstall[] = L"Software\\VB and VBA Program Settings\\TalvorStart";

// An existing install's values, laid out by reg.exe in one import: the
// key's unnamed value is not "Last Backup"; OnceOnly is of another type.
const char kExistingInstall[] = R"(REGEDIT4

[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TalvorStart\Start]
"Default"="0"
@="1"
"Title"="Microsoft Backup"
"Letter"=""
"OnceOnly"=dword:00000001

[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TalvorStart\Month]
"12onoff"="1"

[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TalvorStart\Wednesday]
"Wednesday"="1"
)";

// A value read straight from the registry, not through the store.
std::wstring rawValue(const std::wstring& section, const wchar_t* name) {
  const std::wstring path = std::wstring(kInstall) + L"\\" + section;
  wchar_t buffer[256] = {};
  DWORD size = sizeof buffer;
  const LSTATUS s = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size);
  return s == ERROR_SUCCESS ? buffer : L"<missing>";
}

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kInstall);
    wchar_t file[MAX_PATH];
    GetTempPathW(MAX_PATH, file);
    wcscat_s(file, L"talvorstart-install.reg");
    std::ofstream(file, std::ios::binary) << kExistingInstall;
    ASSERT_EQ(_wsystem((L"reg import \"" + std::wstring(file) + L"\" >NUL 2>&1").c_str()), 0) << "reg import failed";
    DeleteFileW(file);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kInstall); }

  settings::RegistryStore store;
};

TEST_F(RegistryStore, ReadsAnExistingInstallsValuesByTheirNamesAndWritesStringValues) {
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Default", "1"), "0");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Title"), "Microsoft Backup");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Letter", "S"), "") << "an empty value is not an absent one";
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "BackupJobLetter", "B"), "B");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Month", "12onoff", "0"), "1");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Wednesday", "Wednesday", "0"), "1");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Nowhere", "Nothing", "d"), "d");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "OnceOnly", "default"), "default") << "a value of another type";

  // Written as string values named as the key.
  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Start", "Default", "1").ok);
  EXPECT_EQ(rawValue(L"Start", L"Default"), L"1");
  EXPECT_EQ(rawValue(L"Start", nullptr), L"1");
  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Start", "Default", "0").ok);
  EXPECT_EQ(rawValue(L"Start", nullptr), L"1") << "the unnamed value is never written";

  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Start", "Title", "Sicherung für Büro").ok);
  EXPECT_EQ(rawValue(L"Start", L"Title"), L"Sicherung f\u00fcr B\u00fcro");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Title"), "Sicherung für Büro");
  ASSERT_TRUE(store.SaveSetting("TalvorStart", "Sunday", "Backup", "").ok);  // a new section
  EXPECT_EQ(store.GetSetting("TalvorStart", "Sunday", "Backup", "1"), "");
}

TEST(SingleInstanceOnWindows, ASecondStartSeesTheFirstUntilItEnds) {
  {
    SingleInstance first("");
    ASSERT_TRUE(first.first());
    SingleInstance second("");
    EXPECT_FALSE(second.first());
    // So that the second start can bring the running one's window forward.
    EXPECT_EQ(second.holderPid(), long(GetCurrentProcessId()));
  }
  SingleInstance later("");
  EXPECT_TRUE(later.first());
}

}  // namespace
