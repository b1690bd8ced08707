// The control table of Form1 against its rules: every control lies inside its parent, every
// option, check box and field is bound to the state, and each option group is exclusive.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "batch/form1_design.h"
#include "batch/form1_rules.h"

namespace kestro {
namespace {

TEST(Form1Design, EveryControlHasAUniqueNameAndLiesInsideItsParent) {
  std::set<std::string> names;
  for (const FormControl& c : Form1ControlsWithDates()) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    const FormControl* parent = c.parent ? FindForm1Control(c.parent) : nullptr;
    const TwipRect outer =
        parent ? parent->place : TwipRect{0, 0, kForm1DesignWidth, kForm1ClientHeight};
    const TwipRect& r = c.place;
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= outer.width &&
                r.top + r.height <= outer.height)
        << c.name << " leaves " << (c.parent ? c.parent : "the window");
  }
}

TEST(Form1Rules, EveryInputControlIsBoundAndEachOptionGroupIsExclusive) {
  for (const FormControl& c : Form1ControlsWithDates()) {
    WindowState state;
    switch (c.kind) {
      case ControlKind::kOption:
        ASSERT_TRUE(ChooseOption(state, c.name)) << c.name;
        for (const FormControl& other : Form1ControlsWithDates()) {
          if (other.kind == ControlKind::kOption && std::string(other.parent) == c.parent) {
            EXPECT_EQ(OptionChosen(state, other.name), &other == &c) << c.name << " " << other.name;
          }
        }
        break;
      case ControlKind::kCheck:
        EXPECT_NE(CheckValue(state, c.name), nullptr) << c.name;
        break;
      case ControlKind::kField:
        EXPECT_NE(FieldValue(state, c.name), nullptr) << c.name;
        break;
      case ControlKind::kChoiceList: {
        const int items = static_cast<int>(ChoiceItems(c.name).size());
        ASSERT_EQ(items, 3) << c.name;
        for (int item = items - 1; item >= 0; --item) {
          ASSERT_TRUE(ChooseItem(state, c.name, item)) << c.name;
          EXPECT_EQ(ChosenItem(state, c.name), item) << c.name;
        }
        EXPECT_FALSE(ChooseItem(state, c.name, items));
        EXPECT_FALSE(ChooseItem(state, c.name, -1));
        EXPECT_EQ(ChosenItem(state, c.name), 0) << c.name;
        break;
      }
      default:
        break;
    }
  }
}

TEST(Form1Rules, TabsChooseTheirPagesAndSmartFileModeStaysWithFiles) {
  WindowState state;
  for (const OperationTab& tab : OperationTabs()) {
    ChooseOperationTab(state, tab.caption);
    for (const OperationTab& other : OperationTabs()) {
      EXPECT_EQ(PageShown(state, other.page), &other == &tab) << tab.caption;
    }
  }
  ChooseTargetTab(state, kFilesCaption);
  EXPECT_FALSE(SetCheck(state, "SmartCheck", true).has_value());
  ChooseTargetTab(state, kDirectoriesCaption);
  EXPECT_FALSE(state.SmartCheck);
  EXPECT_EQ(state.before, kExampleDirectory);
  EXPECT_TRUE(SetCheck(state, "SmartCheck", true).has_value());
  EXPECT_FALSE(state.SmartCheck);
}

}  // namespace
}  // namespace kestro
