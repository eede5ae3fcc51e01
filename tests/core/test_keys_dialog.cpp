// The keys dialog's model: its design, what it stores, the check line and the recorder.
#include <gtest/gtest.h>

#include "launch_fixture.h"
#include "ui/frm_keys_design.h"

namespace {

// The dialog opened from the menu of a loaded window, on these Start settings.
struct Dialog : LaunchFixture {
  FrmMain* f;
  FrmKeys* k;
  explicit Dialog(std::vector<std::pair<const char*, const char*>> start = {}) {
    for (const auto& [key, value] : start) put("Start", key, value);
    f = &loaded();
    f->mPopKeys.click();
    k = &f->frmKeys();
  }
};

KeyStroke key(char32_t c, bool alt, bool ctrl, bool shift) { return {KeyStroke::Key::Character, c, alt, ctrl, shift}; }
KeyStroke named(KeyStroke::Key k, bool shift = false) { return {k, 0, false, false, shift}; }

TEST(KeysDesign, PinnedAsDrawn) {
  using K = ControlKind;
  const char* const kRecord = "Adds the next key you press in the field, with Ctrl, Alt or Shift";
  // clang-format off
  const ControlDesign expected[] = {
      {"lblJobKeys", K::Label, "Job list keys", "", 120, 156, 2052, 252, 0, 21},
      {"txtJobKeys", K::TextBox, "", "Keys that reach the backup program's job list, ie %b for Alt+B", 2280, 120, 3360, 288, 1, 21},
      {"cmdRecordJobKeys", K::CommandButton, "Record", kRecord, 5760, 120, 1080, 288, 2, 21},
      {"lblJobKeysExample", K::Label, "Example: %b for Alt+B; B alone means the same", "", 2280, 444, 4560, 252, -1, 21},
      {"lblConfirmKeys", K::Label, "Keys that confirm the job", "", 120, 876, 2052, 252, 3, 22},
      {"txtConfirmKeys", K::TextBox, "", "Keys pressed once the job is chosen, ie {ENTER}", 2280, 840, 3360, 288, 4, 22},
      {"cmdRecordConfirmKeys", K::CommandButton, "Record", kRecord, 5760, 840, 1080, 288, 5, 22},
      {"lblConfirmKeysExample", K::Label, "Example: {ENTER}, or {TAB}{SPACE}; empty for none", "", 2280, 1164, 4560, 252, -1, 22},
      {"lblStartKeys", K::Label, "Start keys", "", 120, 1596, 2052, 252, 6, 23},
      {"txtStartKeys", K::TextBox, "", "Keys that start the backup, ie %s for Alt+S", 2280, 1560, 3360, 288, 7, 23},
      {"cmdRecordStartKeys", K::CommandButton, "Record", kRecord, 5760, 1560, 1080, 288, 8, 23},
      {"lblStartKeysExample", K::Label, "Example: %s for Alt+S, or ^s{WAIT 500}{ENTER}", "", 2280, 1884, 4560, 252, -1, 23},
      {"lblFindBy", K::Label, "Find the window by", "", 120, 2316, 2052, 252, 9, 24},
      {"cboFindBy", K::ComboBox, "", "How the Start Title names the backup program's window", 2280, 2280, 4560, 315, 10, 24},
      {"lblKeysCheck", K::Label, "", "Whether the keys of the field can be sent", 120, 2760, 6720, 492, -1, 20},
      {"cmdClose", K::CommandButton, "Close", "Every change is already saved", 5760, 3360, 1080, 372, 11, 20},
  };
  // clang-format on
  const auto& table = frmKeysDesign();
  ASSERT_EQ(table.size(), std::size(expected));
  for (size_t i = 0; i < table.size(); ++i) {
    const ControlDesign &d = table[i], &e = expected[i];
    EXPECT_EQ(std::tuple(d.name, d.kind, d.caption, d.tooltip, d.wordWrap),
              std::tuple(e.name, e.kind, e.caption, e.tooltip, e.name == "lblKeysCheck"));
    EXPECT_EQ(std::vector<int>({d.left, d.top, d.width, d.height, d.tabIndex, d.helpTopic}),
              std::vector<int>({e.left, e.top, e.width, e.height, e.tabIndex, e.helpTopic}))
        << e.name;
  }
  EXPECT_EQ(keysDesignOf("cboFindBy").items, Texts({"the start of its title", "the end of its title",
                                                    "any part of its title", "its class or application id"}));
  const WindowDesign& w = frmKeysWindow();
  EXPECT_EQ(std::tuple(w.caption, w.clientWidth, w.clientHeight), std::tuple("Keys", 6960, 3852));
}

// A way of finding the window that is none of the list's is named until one is chosen.
TEST(KeysDialog, OpensFromTheMenuWithTheSettingsOfNow) {
  Dialog d({{"Letter", "^s"}, {"BackupJobLetter", "J"}, {"ConfirmKey", "{TAB}"}, {"TitleMatch", "regex"}});
  EXPECT_TRUE(d.k->visible());
  EXPECT_EQ(Texts({d.k->txtJobKeys.text(), d.k->txtConfirmKeys.text(), d.k->txtStartKeys.text()}),
            Texts({"J", "{TAB}", "^s"}));
  EXPECT_EQ(d.k->cboFindBy.index(), -1);
  EXPECT_EQ(d.k->lblKeysCheck.caption(),
            "The window cannot be found by \"regex\", which is none of start, end, contains or class: choose under "
            "Find the window by.");
  EXPECT_TRUE(d.writes().empty());  // opening stores nothing
  d.k->cboFindBy.setIndex(2);
  EXPECT_EQ(d.writes(), Texts({"Start/TitleMatch=contains"}));
  EXPECT_EQ(d.k->lblKeysCheck.caption(), "The job list keys can be sent as \"%J\".");
  Dialog contains({{"TitleMatch", "contains"}, {"Title", "Microsoft Backup"}});
  EXPECT_EQ(contains.k->cboFindBy.index(), 2);
}

// Invalid text is stored too: the run refuses it and says why.
TEST(KeysDialog, EveryChangeIsStoredAtOnceAndTheMainWindowKeepsInStep) {
  Dialog d;
  d.k->txtJobKeys.setText("%j");
  d.k->txtConfirmKeys.setText("{TAB}{SPACE}");
  d.k->txtStartKeys.setText("{STRAT}");
  d.k->cboFindBy.setIndex(1);
  d.k->cboFindBy.setIndex(3);
  EXPECT_EQ(Texts({d.f->txtBackupKey.text(), d.f->txtStartKey.text()}), Texts({"%j", "{STRAT}"}));
  d.f->txtBackupKey.setText("K");
  d.f->txtStartKey.setText("G");
  EXPECT_EQ(Texts({d.k->txtJobKeys.text(), d.k->txtStartKeys.text()}), Texts({"K", "G"}));
  EXPECT_EQ(d.writes(),
            Texts({"Start/BackupJobLetter=%j", "Start/ConfirmKey={TAB}{SPACE}", "Start/Letter={STRAT}",
                   "Start/TitleMatch=end", "Start/TitleMatch=class", "Start/BackupJobLetter=K", "Start/Letter=G"}));
  d.k->cmdClose.click();  // hides, undoes nothing
  EXPECT_FALSE(d.k->visible());
  EXPECT_EQ(d.f->txtStartKey.text(), "G");
}

TEST(KeysDialog, CheckLineSaysWhetherTheFieldsKeysCanBeSent) {
  // clang-format off
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"txtStartKeys", "S", "The start keys can be sent as \"%S\"."},
      {"txtStartKeys", "{STRAT}", "The start keys cannot be sent: unknown key {STRAT} in \"{STRAT}\"."},
      {"txtStartKeys", "", "The start keys are not set: the run needs them."},
      {"txtJobKeys", "^^b", "The job list keys cannot be sent: Ctrl (^) cannot be held for another Ctrl in \"^^b\"."},
      {"txtJobKeys", "%", "The job list keys can be sent as \"%{%}\"."},
      {"txtConfirmKeys", "{ENTER}", "The keys that confirm the job can be sent as \"{ENTER}\"."},
      {"txtConfirmKeys", "{WAIT 99999}", "The keys that confirm the job cannot be sent: the pause {WAIT 99999} is not 1 to 10000 milliseconds in \"{WAIT 99999}\"."},
      {"txtConfirmKeys", "", "No keys confirm the job: none are sent after it is chosen."},
  };
  // clang-format on
  for (const auto& [name, text, line] : cases) {
    Dialog d;
    auto* field = static_cast<TextBox*>(d.k->control(name));
    d.k->focusChanged(field);
    field->setText(text + "x");  // a change before the one checked
    field->setText(text);
    EXPECT_EQ(d.k->lblKeysCheck.caption(), line);
  }
}

// One key, with its modifiers, added in the notation; a job or start key in the old form is written out first so that
// it keeps its meaning.
TEST(KeysDialog, RecordAddsOneKeyInTheNotation) {
  using K = KeyStroke::Key;
  // clang-format off
  const std::tuple<const char*, std::string, KeyStroke, std::string> cases[] = {
      {"StartKeys", "", key('s', false, true, false), "^s"}, {"StartKeys", "S", key('s', false, true, false), "%S^s"},
      {"JobKeys", "%b", named(K::Tab), "%b{TAB}"}, {"ConfirmKeys", "{ENTER}", named(K::Tab, true), "{ENTER}+{TAB}"},
      {"ConfirmKeys", "", {K::Function, 5}, "{F5}"}, {"ConfirmKeys", "", key('x', false, false, false), "x"}};
  // clang-format on
  for (const auto& [name, before, stroke, after] : cases) {
    SCOPED_TRACE(after);
    Dialog d;
    auto* field = static_cast<TextBox*>(d.k->control(std::string("txt") + name));
    auto* button = static_cast<CommandButton*>(d.k->control(std::string("cmdRecord") + name));
    field->setText(before);
    const Control* focusAsked = nullptr;
    d.k->viewFocus = [&](const Control& to) { focusAsked = &to; };
    EXPECT_FALSE(d.k->keyPressed(*field, stroke));  // not recording: the field types it itself
    button->click();
    EXPECT_EQ(focusAsked, field);
    EXPECT_EQ(button->caption(), "Cancel");
    d.k->focusChanged(field);
    EXPECT_TRUE(d.k->keyPressed(*field, stroke));
    EXPECT_EQ(button->caption(), "Record");
    EXPECT_FALSE(d.k->keyPressed(*field, stroke));  // one key only
    EXPECT_EQ(field->text(), after);
  }
}

TEST(KeysDialog, RecordingEndsWhenTheFocusLeavesOrTheButtonIsClickedAgain) {
  Dialog d;
  d.k->cmdRecordStartKeys.click();
  d.k->focusChanged(&d.k->cmdRecordStartKeys);  // the click's own focus
  EXPECT_EQ(d.k->recording(), &d.k->txtStartKeys);
  d.k->cmdRecordStartKeys.click();
  EXPECT_EQ(d.k->recording(), nullptr);
  d.k->cmdRecordStartKeys.click();
  d.k->focusChanged(&d.k->txtJobKeys);
  EXPECT_EQ(d.k->recording(), nullptr);
  EXPECT_EQ(d.k->cmdRecordStartKeys.caption(), "Record");
  EXPECT_FALSE(d.k->keyPressed(d.k->txtStartKeys, key('s', false, true, false)));
  EXPECT_TRUE(d.writes().empty());
}

TEST(KeysDialog, HelpOpensTheTopicOfTheFocusedControl) {
  Dialog d;
  d.f->setHelpFile("talvorstart.hlp");
  const FrmKeys& k = *d.k;
  const std::pair<const Control*, int> topics[] = {
      {nullptr, 20},         {&k.txtJobKeys, 21}, {&k.cmdRecordConfirmKeys, 22},
      {&k.txtStartKeys, 23}, {&k.cboFindBy, 24},  {&k.cmdClose, 20}};
  for (const auto& [focus, topic] : topics) {
    d.k->focusChanged(focus);
    d.k->helpRequested();
    EXPECT_EQ(std::pair(d.desk.helpShown.back().file, d.desk.helpShown.back().topic),
              std::pair(std::string("talvorstart.hlp"), topic));
  }
}

}  // namespace
