#include "batch/rename_str.h"

#include <gtest/gtest.h>

#include <string>

#include "batch/recording_ui_host.h"
#include "engine/messages.h"

namespace kestro {
namespace {

// Every page's controls hold a value; only the page in force plays a part, read at the call.
TEST(RenameStrTest, ThePageInForceWithItsControls) {
  WindowState state;
  state.common_style.captions.Option7 = "1204";
  state.Text6 = "3";
  state.leftoption = false;
  state.SmartCheck = true;
  state.Text8 = "file";
  state.Text7 = "doc";
  state.case_choice = CaseChoice::sentence;
  state.extad = ".bak";
  state.numbering.sortleading = true;
  const std::pair<ActiveOperation, const char*> cases[] = {
      {ActiveOperation::None, "my FILE.txt"},
      {ActiveOperation::Rename, "(1204) my FILE.txt"},
      {ActiveOperation::Strip, "my F.txt"},
      {ActiveOperation::Replace, "my doc.txt"},
      {ActiveOperation::Case, "My File.txt"},
      {ActiveOperation::Extension, "my FILE.txt.bak"},
      {ActiveOperation::Numbering, "007 - my FILE.txt"},
  };
  RecordingUiHost ui;
  const FixedClock clock({2026, 12, 4});
  for (const auto& [operation, expected] : cases) {
    state.active_operation = operation;
    EXPECT_EQ(RenameStr(state, clock, ui, "my FILE.txt", 7, 250), expected);
  }
  state.active_operation = ActiveOperation::Strip;
  state.leftoption = true;
  EXPECT_EQ(RenameStr(state, clock, ui, "my FILE.txt", 7, 250), "FILE.txt");
  state.active_operation = ActiveOperation::Case;
  for (const auto& [choice, expected] : {std::pair{CaseChoice::uppercase, "MY FILE.TXT"},
                                         {CaseChoice::lowercase, "my file.txt"},
                                         {CaseChoice::None, "my FILE.txt"}}) {
    state.case_choice = choice;
    EXPECT_EQ(RenameStr(state, clock, ui, "my FILE.txt", 1, 1), expected);
  }
  state.CaseExtOnly = true;
  state.case_choice = CaseChoice::uppercase;
  EXPECT_EQ(RenameStr(state, clock, ui, "my FILE.txt", 1, 1), "my FILE.TXT");
  EXPECT_TRUE(ui.messages.empty());
}

TEST(RenameStrTest, NumberingThatIsRefusedGivesNoNameWithItsMessageWhenDue) {
  WindowState state;
  state.active_operation = ActiveOperation::Numbering;
  state.numbering.sortstartat = true;  // an empty start field: no name, no message
  RecordingUiHost ui;
  const FixedClock clock({2026, 12, 4});
  EXPECT_EQ(TryRenameStr(state, clock, ui, "a", 1, 3), std::nullopt);
  EXPECT_TRUE(ui.messages.empty());
  state.numbering.sortstartatnum = "-5";
  EXPECT_EQ(TryRenameStr(state, clock, ui, "a", 1, 3), std::nullopt);
  EXPECT_EQ(RenameStr(state, clock, ui, "b", 2, 3), "");
  ASSERT_EQ(ui.messages.size(), 2u);  // once per call
  EXPECT_EQ(ui.messages[1].text, messages::kErroneousValues);
  EXPECT_EQ(ui.messages[1].title, messages::kErrorTitle);
  EXPECT_EQ(ui.messages[1].icon, MessageIcon::Critical);
  // Replacing everything is an empty name, not a refusal.
  state.active_operation = ActiveOperation::Replace;
  state.Text8 = "abc";
  EXPECT_EQ(TryRenameStr(state, clock, ui, "abc", 1, 1), std::optional<std::string>(""));
}

TEST(CheckAllValuesTest, TheExampleIsEntryOneOf999) {
  WindowState state;
  state.active_operation = ActiveOperation::Numbering;
  state.numbering.sortleading = true;
  state.numbering.sortascending = false;
  state.before = "Example directory";
  RecordingUiHost ui;
  CheckAllValues(state, FixedClock({2026, 12, 4}), ui);
  EXPECT_EQ(state.after, "999 - Example directory");
}

}  // namespace
}  // namespace kestro
