// Reads a settings file with the program's own store and says whether it is
// whole: readable, and holding every key of the schema. For the end-to-end
// tests that kill the program while it writes.
#include "settings/ini_file_store.h"
#include "settings/settings_schema.h"

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings-check CONFIG_HOME\n");
    return 2;
  }
  settings::IniFileStore store(argv[1]);
  const std::string problem = store.readProblem(settings::kApp);
  if (!problem.empty()) {
    std::printf("unreadable: %s\n", problem.c_str());
    return 1;
  }
  int missing = 0;
  for (const settings::SettingKey& k : settings::schema()) {
    if (store.GetSetting(settings::kApp, k.section, k.key, "\x01") == "\x01") {
      std::printf("missing: %s/%s\n", k.section.c_str(), k.key.c_str());
      ++missing;
    }
  }
  return missing ? 1 : 0;
}
