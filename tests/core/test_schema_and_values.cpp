// What the readers make of stored texts that are not what the program
// writes.
#include <gtest/gtest.h>

#include "settings/memory_store.h"
#include "settings/settings_schema.h"
#include "settings/settings_values.h"

using namespace settings;

namespace {

TEST(Values, StoredTextsThatAreNotNumbersReadAsTheDefault) {
  const struct {
    const char* stored;
    int checkState;
    int jobNumber;
  } cases[] = {{"abc", 0, 1}, {"", 0, 1},    {" 1 ", 1, 1},
               {"2", 0, 2},   {"1.5", 0, 1}, {"99999999999999999999", 0, 2147483647},
               {"-4", 0, -4}, {"1", 1, 1},   {"\t0\n", 0, 0}};
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
