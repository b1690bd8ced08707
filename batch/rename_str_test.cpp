#include "batch/rename_str.h"

#include <gtest/gtest.h>

#include <string>

#include "batch/recording_ui_host.h"
#include "engine/messages.h"

namespace kestro {
namespace {

class RenameStrTest : public ::testing::Test {
 protected:
  std::string Rename(std::string_view name, std::int32_t position = 1, std::int32_t count = 1) {
    return RenameStr(state_, clock_, ui_, name, position, count);
  }

  WindowState state_;
  FixedClock clock_{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui_;
};

TEST_F(RenameStrTest, NoOperationLeavesTheNameAlone) {
  state_.active_operation = ActiveOperation::None;
  EXPECT_EQ(Rename("My File.TXT"), "My File.TXT");
}

TEST_F(RenameStrTest, CasePageMapsEachChoiceToItsCode) {
  state_.active_operation = ActiveOperation::Case;
  struct Row {
    CaseChoice choice;
    const char* expected;
  };
  const Row rows[] = {
      {CaseChoice::uppercase, "MY FILE.TXT"},
      {CaseChoice::lowercase, "my file.txt"},
      {CaseChoice::sentence, "My File.txt"},
      {CaseChoice::None, "my FILE.txt"},
  };
  for (const Row& row : rows) {
    state_.case_choice = row.choice;
    EXPECT_EQ(Rename("my FILE.txt"), row.expected) << static_cast<int>(row.choice);
  }
}

TEST_F(RenameStrTest, StripReadsCountSideAndSmartCheck) {
  state_.active_operation = ActiveOperation::Strip;
  state_.Text6 = "3";
  state_.leftoption = true;
  EXPECT_EQ(Rename("abcdef.txt"), "def.txt");
  state_.leftoption = false;
  EXPECT_EQ(Rename("abcdef.txt"), "abcdef.");
  state_.SmartCheck = true;
  EXPECT_EQ(Rename("abcdef.txt"), "abc.txt");
}

TEST_F(RenameStrTest, ReplaceAndExtensionReadTheirFields) {
  state_.active_operation = ActiveOperation::Replace;
  state_.Text8 = "FILE";
  state_.Text7 = "doc";
  EXPECT_EQ(Rename("a file.txt"), "a doc.txt");
  state_.active_operation = ActiveOperation::Extension;
  state_.extad = ".bak";
  EXPECT_EQ(Rename("a file.txt"), "a file.txt.bak");
}

TEST_F(RenameStrTest, RenamePagePutsTheCommonStylePrefix) {
  state_.active_operation = ActiveOperation::Rename;
  state_.common_style.captions.Option7 = "1204";
  EXPECT_EQ(Rename("holiday.jpg"), "(1204) holiday.jpg");
}

TEST_F(RenameStrTest, ControlsAreReadAtEachCall) {
  state_.active_operation = ActiveOperation::Extension;
  state_.extad = "1";
  EXPECT_EQ(Rename("x"), "x1");
  state_.extad = "2";
  EXPECT_EQ(Rename("x"), "x2");
}

TEST_F(RenameStrTest, NumberingFollowsPositionAndCount) {
  state_.active_operation = ActiveOperation::Numbering;
  state_.numbering.sortleading = true;
  EXPECT_EQ(Rename("a", 7, 250), "007 - a");
  state_.numbering.sortascending = false;
  EXPECT_EQ(Rename("a", 1, 3), "3 - a");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RenameStrTest, EmptyStartFieldGivesNoNameAndNoMessage) {
  state_.active_operation = ActiveOperation::Numbering;
  state_.numbering.sortstartat = true;
  EXPECT_EQ(TryRenameStr(state_, clock_, ui_, "a", 1, 3), std::nullopt);
  EXPECT_EQ(Rename("a"), "");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RenameStrTest, ErroneousValuesShowTheCriticalMessageOncePerCall) {
  state_.active_operation = ActiveOperation::Numbering;
  state_.numbering.sortstartat = true;
  state_.numbering.sortstartatnum = "-5";
  EXPECT_EQ(TryRenameStr(state_, clock_, ui_, "a", 1, 3), std::nullopt);
  EXPECT_EQ(Rename("b", 2, 3), "");
  ASSERT_EQ(ui_.messages.size(), 2u);
  for (const Message& m : ui_.messages) {
    EXPECT_EQ(m.text, messages::kErroneousValues);
    EXPECT_EQ(m.title, messages::kErrorTitle);
    EXPECT_EQ(m.icon, MessageIcon::Critical);
  }
}

TEST_F(RenameStrTest, DigitLengthAboveNineIsErroneousEvenUnchecked) {
  state_.active_operation = ActiveOperation::Numbering;
  state_.numbering.sortlennum = "12";
  EXPECT_EQ(Rename("a"), "");
  EXPECT_EQ(ui_.messages.size(), 1u);
}

TEST_F(RenameStrTest, ReplacingEverythingIsAnEmptyNameNotARefusal) {
  state_.active_operation = ActiveOperation::Replace;
  state_.Text8 = "abc";
  EXPECT_EQ(TryRenameStr(state_, clock_, ui_, "abc", 1, 1), std::optional<std::string>(""));
}

TEST_F(RenameStrTest, CheckAllValuesShowsEntryOneOf999) {
  state_.active_operation = ActiveOperation::Numbering;
  state_.numbering.sortleading = true;
  state_.before = "Example directory";
  CheckAllValues(state_, clock_, ui_);
  EXPECT_EQ(state_.after, "001 - Example directory");
  state_.numbering.sortascending = false;
  CheckAllValues(state_, clock_, ui_);
  EXPECT_EQ(state_.after, "999 - Example directory");
  state_.numbering.sortstartat = true;
  CheckAllValues(state_, clock_, ui_);
  EXPECT_EQ(state_.after, "");
}

}  // namespace
}  // namespace kestro
