// The INI dialect: what QSettings wrote reads back unchanged, and we write what it wrote.
#include <gtest/gtest.h>

#include "settings/ini_document.h"
#include "settings/ini_format.h"

using settings::IniDocument;
namespace ini = settings::ini;

namespace {

// Each value and what QSettings 6 wrote after "Title=", taken from files it wrote.
// clang-format off
const std::pair<const char*, const char*> kQSettingsWrote[] = {
    {"plain", "plain"}, {"", ""}, {"a,b", "\"a,b\""}, {"a;b", "\"a;b\""}, {"say \"hi\"", "say \\\"hi\\\""},
    {"x=y", "\"x=y\""}, {"C:\\Backup\\job", "C:\\\\Backup\\\\job"}, {" lead", "\" lead\""}, {"trail ", "\"trail \""},
    {" both ", "\" both \""}, {"  ", "\"  \""}, {"Sicherung für Büro", "Sicherung für Büro"}, {"€ 5", "€ 5"},
    {"😀", "😀"}, {"@at", "@@at"}, {"tab\there", "tab\\there"}, {"line\nbreak", "line\\nbreak"}, {"#hash", "#hash"},
    {"[br]", "[br]"}, {"100%", "100%"}, {"a, b", "\"a, b\""}, {"\"quoted\"", "\\\"quoted\\\""}, {"1e30", "1e30"},
    {"x\\", "x\\\\"}, {"\\", "\\\\"}, {",", "\",\""}, {"back\\slash,comma", "\"back\\\\slash,comma\""}};
// clang-format on

TEST(IniFormat, WritesAndReadsEachValueAsQSettingsDid) {
  std::string file = "[Start]\n";  // all in one file: no value runs into the next line
  for (size_t i = 0; i < std::size(kQSettingsWrote); ++i)
    file += "k" + std::to_string(i) + "=" + kQSettingsWrote[i].second + "\n";
  for (size_t i = 0; i < std::size(kQSettingsWrote); ++i) {
    const auto& [value, written] = kQSettingsWrote[i];
    EXPECT_EQ(ini::escapeValue(value), written) << value;
    EXPECT_EQ(IniDocument(file).value("Start", "k" + std::to_string(i)), std::string(value)) << written;
  }
}

TEST(IniFormat, ReadsHandEditedLinesAsQSettingsDid) {
  // What QSettings returned for each (lists joined as the old store did).
  // clang-format off
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"x,y", "x, y"}, {"\"x,y\"", "x,y"}, {"  spaced  ", "spaced"}, {"\" spaced \"", " spaced "}, {"@String(hello)", "hello"},
      {"@Invalid()", std::nullopt}, {"", ""}, {"x;y", "x"}, {"semi ; comment", "semi"}, {"\\x41\\x42", "AB"}, {"\"a\", b", "a, b"}};
  // clang-format on
  for (const auto& [line, value] : cases)
    EXPECT_EQ(IniDocument("[Start]\nk=" + std::string(line)).value("Start", "k"), value) << line;
  const IniDocument doc("[Start]\n padded = padded key\npercent%20key=p\n");
  EXPECT_EQ(doc.value("Start", "padded"), "padded key");
  EXPECT_EQ(doc.value("Start", "percent key"), "p");
  EXPECT_EQ(doc.value("Start", "absent"), std::nullopt);
  EXPECT_EQ(doc.value("Elsewhere", "padded"), std::nullopt);
}

TEST(IniDocument, ChangesOnlyTheValueOfTheKeyAndKeepsEveryOtherByte) {
  std::string before = "\xEF\xBB\xBF";
  for (const char* line : {"# a comment of the user's", "[Start]", "; another comment", "Title=Old Title",
                           "a line without an equals sign", "Foreign=caf\xE9", "", "[Other Program]", "Title=not ours"})
    before.append(line).append("\r\n");
  IniDocument doc(before);
  doc.set("Start", "Title", "Microsoft Backup");
  std::string expected = before;
  expected.replace(expected.find("Old Title"), 9, "Microsoft Backup");
  EXPECT_EQ(doc.bytes(), expected);
  EXPECT_EQ(doc.value("Other Program", "Title"), "not ours");

  // A new key goes under the last key of its section, with the file's line ends.
  doc.set("Start", "Letter", "S");
  expected.insert(expected.find("\r\n\r\n[Other") + 2, "Letter=S\r\n");
  EXPECT_EQ(doc.bytes(), expected);

  // A new section goes at the end.
  doc.set("Month", "12onoff", "1");
  EXPECT_EQ(doc.bytes(), expected + "\r\n[Month]\r\n12onoff=1\r\n");
  EXPECT_EQ(doc.value("Start", "Foreign"), "caf\xE9");
}

// Text other tools wrote: a quote never runs past its line, CR, LF and CR LF all end a line, a new key goes into its
// own section, made once, the last copy of a key is the one changed, and a missing last line end is added first.
TEST(IniDocument, LinesOtherToolsWroteKeepTheSectionsApart) {
  const std::string date = "DateLastRun=7 Dec 2026";
  // Before, and after Title is changed and DateLastRun added, twice over.
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"[Other]\nname=\"unclosed\n[Start]\nTitle=x\n", "[Other]\nname=\"unclosed\n[Start]\nTitle=T\n" + date + "\n"},
      {"[Other]\npath=C:\\dir\\\n[Start]\nTitle=x\n", "[Other]\npath=C:\\dir\\\n[Start]\nTitle=T\n" + date + "\n"},
      {"[Start]\rTitle=x\r[Month]\r1onoff=1\r", "[Start]\rTitle=T\r" + date + "\r[Month]\r1onoff=1\r"},
      {"[Start]\r\nTitle=x\r\n[Month]\r\n1onoff=1", "[Start]\r\nTitle=T\r\n" + date + "\r\n[Month]\r\n1onoff=1"},
      {"[Month]\r1onoff=1", "[Month]\r1onoff=1\r\r[Start]\rTitle=T\r" + date + "\r"},
      {"[Start]\nTitle=first\n[Month]\n1onoff=1\n[Start]\nTitle=second\n", "[Start]\nTitle=first\n[Month]\n1onoff=1\n[Start]\nTitle=T\n" + date + "\n"},
      {"[Start]\nTitle=x", "[Start]\nTitle=T\n" + date + "\n"},
      {"", "[Start]\nTitle=T\n" + date + "\n"},
  };
  // clang-format on
  for (const auto& [before, after] : cases) {
    IniDocument doc(before);
    for (int start = 0; start < 2; ++start) {
      doc = IniDocument(doc.bytes());  // as the next start reads it
      doc.set("Start", "Title", "T");
      doc.set("Start", "DateLastRun", "7 Dec 2026");
    }
    EXPECT_EQ(doc.bytes(), after) << before;
    EXPECT_EQ(IniDocument(doc.bytes()).value("Start", "DateLastRun"), "7 Dec 2026");
  }
  EXPECT_EQ(IniDocument(cases[5].first).value("Start", "Title"), "second");
}

}  // namespace
