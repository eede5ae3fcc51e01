// The registry store against values as an existing install left them, laid
// out with reg.exe, and a second start while one runs.
#include "platform/single_instance.h"
#include "settings/registry_store.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const wchar_t kInstall[] = L"Software\\VB and VBA Program Settings\\TalvorStart";

void regAdd(const std::wstring& section, const std::wstring& nameOption, const std::wstring& data) {
  const std::wstring command = L"reg add \"HKCU\\Software\\VB and VBA Program Settings\\TalvorStart\\" + section +
                               L"\" " + nameOption + L" /t REG_SZ /d \"" + data + L"\" /f >NUL";
  ASSERT_EQ(_wsystem(command.c_str()), 0) << "reg add failed";
}

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
    regAdd(L"Start", L"/v Default", L"0");
    regAdd(L"Start", L"/ve", L"1");  // the key's unnamed value: not "Last Backup"
    regAdd(L"Start", L"/v Title", L"Microsoft Backup");
    regAdd(L"Start", L"/v Letter", L"");
    regAdd(L"Month", L"/v 12onoff", L"1");
    regAdd(L"Wednesday", L"/v Wednesday", L"1");
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kInstall); }

  settings::RegistryStore store;
};

TEST_F(RegistryStore, ReadsTheValuesOfAnExistingInstallByTheirNames) {
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Default", "1"), "0");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Title"), "Microsoft Backup");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "Letter", "S"), "") << "an empty value is not an absent one";
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "BackupJobLetter", "B"), "B");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Month", "12onoff", "0"), "1");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Wednesday", "Wednesday", "0"), "1");
  EXPECT_EQ(store.GetSetting("TalvorStart", "Nowhere", "Nothing", "d"), "d");
}

TEST_F(RegistryStore, WritesStringValuesNamedAsTheKey) {
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

TEST_F(RegistryStore, AValueOfAnotherTypeReadsAsAbsent) {
  ASSERT_EQ(_wsystem(L"reg add \"HKCU\\Software\\VB and VBA Program Settings\\TalvorStart\\Start\" /v OnceOnly "
                     L"/t REG_DWORD /d 1 /f >NUL"),
            0);
  EXPECT_EQ(store.GetSetting("TalvorStart", "Start", "OnceOnly", "default"), "default");
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
