// The rules both windows share for clicks in an entry list, shortcuts, typed and dropped paths.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "batch/form1_design.h"
#include "batch/form1_keys.h"
#include "batch/form1_rules.h"
#include "batch/form1_tips.h"
#include "batch/list_selection.h"
#include "batch/path_input.h"

namespace kestro {
namespace {

TEST(ListClicksTest, AClickTogglesOneEntryAndShiftClickGivesTheRangeTheClickedEntrysNewState) {
  struct Step {
    std::size_t row;
    bool selected;
    bool shift;
    std::size_t first, last;
    bool on;
  };
  const Step steps[] = {
      {5, false, true, 5, 5, true},   // Shift without an earlier click: that entry alone
      {2, false, true, 2, 5, true},   // upwards from the entry clicked before
      {9, true, true, 2, 9, false},   // the range takes the state the click gives entry 9
      {4, true, false, 4, 4, false},  // a plain click toggles entry 4 alone
      {4, false, true, 4, 4, true},
  };
  ListClicks clicks;
  for (const Step& s : steps) {
    const ListClicks::Range r = clicks.Click(s.row, s.selected, s.shift);
    EXPECT_EQ(r.first, s.first) << s.row;
    EXPECT_EQ(r.last, s.last) << s.row;
    EXPECT_EQ(r.on, s.on) << s.row;
  }
  clicks.Forget();
  EXPECT_EQ(clicks.Click(7, false, true).first, 7u);
  EXPECT_EQ(
      SelectionCountText(7, 1200, [](std::size_t n) { return "<" + std::to_string(n) + ">"; }),
      "<7> of <1200> selected");
}

TEST(Form1KeysTest, EveryShortcutIsUniqueAndMarkedInItsButtonsCaption) {
  for (const AltKey& key : Form1AltKeys()) {
    EXPECT_EQ(FindAltKey(static_cast<char>(key.letter + ('a' - 'A'))), &key) << key.letter;
    const FormControl* control = FindForm1Control(key.name);
    ASSERT_NE(control, nullptr) << key.name;
    if (key.tab < 0) {
      EXPECT_EQ(AltKeyOf(key.name), &key);
      EXPECT_NE(MnemonicCaption(control->caption, key.letter).find('&'), std::string::npos)
          << key.name;
    }
  }
  // A tab's letter is in its caption, and each tab of a strip has a letter of its own.
  std::set<std::pair<std::string, int>> tabs;
  for (const AltKey& key : Form1AltKeys()) {
    if (key.tab < 0) continue;
    const bool operation = std::string_view(key.name) == "TabStrip1";
    const auto count = operation ? OperationTabs().size() : TargetTabs().size();
    ASSERT_LT(static_cast<std::size_t>(key.tab), count) << key.letter;
    const char* caption = operation ? OperationTabs()[key.tab].caption : TargetTabs()[key.tab];
    EXPECT_NE(MnemonicCaption(caption, key.letter).find('&'), std::string::npos) << key.letter;
    EXPECT_TRUE(tabs.emplace(key.name, key.tab).second) << key.letter;
  }
  EXPECT_EQ(tabs.size(), OperationTabs().size() + TargetTabs().size());
  EXPECT_EQ(FindAltKey('z'), nullptr);
  EXPECT_EQ(MnemonicCaption("Rename!", 'R'), "&Rename!");
  EXPECT_EQ(MnemonicCaption("Preview", 'v'), "Pre&view");
  EXPECT_EQ(MnemonicCaption("Quit", 'x'), "Quit");
  EXPECT_EQ(MnemonicCaption("A & B", 'B'), "A & B");
  for (const ControlTip& tip : Form1Tips()) {
    EXPECT_NE(FindForm1Control(tip.name), nullptr) << tip.name;
  }
  EXPECT_EQ(Form1Tip("nothing"), nullptr);
}

TEST(PathInputTest, TypedPathsExpandHomeAndDropsOpenTheFirstEntrysFolder) {
  const struct {
    const char* typed;
    const char* folder;
  } typed[] = {{"  /srv/a \n", "/srv/a"},
               {"~", "/home/u"},
               {"~/x", "/home/u/x"},
               {"~\\x", "/home/u\\x"},
               {"~x", "~x"},
               {"a~/b", "a~/b"},
               {" \t", ""}};
  for (const auto& t : typed) EXPECT_EQ(ExpandTypedPath(t.typed, "/home/u"), t.folder) << t.typed;
  EXPECT_TRUE(StartsTypedPath(U'/'));
  EXPECT_TRUE(StartsTypedPath(U'~'));
  EXPECT_FALSE(StartsTypedPath(U'a'));
  EXPECT_EQ(CannotOpenLine("/x", kNotAFolder),
            "'/x' cannot be opened: it is a file, not a folder.");

  const DroppedEntry trip{"/p/trip", "/p", "trip", true};
  const DroppedEntry a{"/p/a.jpg", "/p", "a.jpg", false};
  const DroppedEntry b{"/p/b.jpg", "/p", "b.jpg", false};
  const DroppedEntry elsewhere{"/q/c.jpg", "/q", "c.jpg", false};
  EXPECT_TRUE(PlanDrop({}, true).folder.empty());
  for (bool directories_page : {true, false}) {
    const DropPlan folder = PlanDrop({trip, a}, directories_page);
    EXPECT_EQ(folder.folder, "/p/trip");
    EXPECT_EQ(folder.directories, directories_page);
    EXPECT_TRUE(folder.select.empty());
    const DropPlan files = PlanDrop({a, elsewhere, b}, directories_page);
    EXPECT_EQ(files.folder, "/p");
    EXPECT_FALSE(files.directories);
    EXPECT_EQ(files.select, (std::vector<std::string>{"a.jpg", "b.jpg"}));
  }
}

}  // namespace
}  // namespace kestro
