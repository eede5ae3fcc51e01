// The schema's keys as the stored settings spell them, and what readers make
// of stored texts that are not what the program writes.
#include "settings/memory_store.h"
#include "settings/settings_schema.h"
#include "settings/settings_values.h"

#include <gtest/gtest.h>

#include <set>

using namespace settings;

namespace {

TEST(Schema, HasEveryKeyOnceAsSpelled) {
  std::set<std::string> sections, addresses;
  int month = 0, weekday = 0, start = 0;
  for (const SettingKey& k : schema()) {
    sections.insert(k.section);
    addresses.insert(k.section + "/" + k.key);
    if (k.section == "Month") ++month;
    else if (k.section == "Start") ++start;
    else ++weekday;
  }
  EXPECT_EQ(sections.size(), 9u);
  EXPECT_EQ(month, 62);
  EXPECT_EQ(weekday, 14);
  EXPECT_EQ(start, 10);
  EXPECT_EQ(addresses.size(), schema().size());
  EXPECT_EQ(dayOnOff(9).key, "9onoff");
  EXPECT_EQ(dayBackup(31).key, "31Backup");
  EXPECT_EQ(weekdayOnOff(2).section, "Wednesday");
  EXPECT_EQ(weekdayOnOff(2).key, "Wednesday");
  EXPECT_EQ(weekdayBackup(6).key, "Backup");
  EXPECT_EQ(startKey(StartKey::Default).key, "Default");
  EXPECT_EQ(startKey(StartKey::DateLastRun).key, "DateLastRun");
  EXPECT_FALSE(startKey(StartKey::Title).loadDefault);
  EXPECT_EQ(*startKey(StartKey::StartDelay).loadDefault, "10");
  EXPECT_EQ(startKey(StartKey::ConfirmKey).key, "ConfirmKey");
  EXPECT_EQ(*startKey(StartKey::ConfirmKey).loadDefault, "{ENTER}");
  EXPECT_EQ(startKey(StartKey::TitleMatch).key, "TitleMatch");
  EXPECT_EQ(*startKey(StartKey::TitleMatch).loadDefault, "start");
}

TEST(Values, StoredTextsThatAreNotNumbersReadAsTheDefault) {
  const struct {
    const char* stored;
    int checkState;
    int jobNumber;
  } cases[] = {{"abc", 0, 1}, {"", 0, 1},    {" 1 ", 1, 1}, {"2", 0, 2}, {"1.5", 0, 1},
               {"99999999999999999999", 0, 2147483647},       {"-4", 0, -4}, {"1", 1, 1}, {"\t0\n", 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    MemoryStore store;
    store.put("Month", "5onoff", c.stored);
    store.put("Month", "5Backup", c.stored);
    EXPECT_EQ(readCheckState(store, dayOnOff(5)), c.checkState);
    EXPECT_EQ(readJobNumber(store, dayBackup(5)), c.jobNumber);
    EXPECT_TRUE(store.writes().empty());
  }
}

}  // namespace
