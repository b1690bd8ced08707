#include "engine/beginning_bit.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/process_string.h"

namespace kestro {
namespace {

using S = CommonStyleSettings;

S SettingsOn(const CalendarDate& day) {
  S settings;
  settings.captions = MakeDateCaptions(day);
  return settings;
}

TEST(BeginningBitTest, MakeDateCaptionsFillsTheFourInfoOptions) {
  const DateCaptions captions = MakeDateCaptions({2026, 12, 4});
  EXPECT_EQ(captions.Option7, "1204");
  EXPECT_EQ(captions.Option8, "0412");
  EXPECT_EQ(captions.Option9, "120426");
  EXPECT_EQ(captions.Option10, "041226");
}

TEST(BeginningBitTest, InitialSettingsGiveTheLoadDateInRoundBrackets) {
  EXPECT_EQ(BeginningBit(SettingsOn({2026, 12, 4})), "(1204) ");
}

TEST(BeginningBitTest, EveryOptionOfEveryGroup) {
  struct Case {
    S::Left left;
    S::Info info;
    S::Right right;
    S::Seperator seperator;
    const char* expected;
  };
  const Case cases[] = {
      {S::Left::Option2, S::Info::Option10, S::Right::Option5, S::Seperator::Option12,
       "[041226] - "},
      {S::Left::Option20, S::Info::Option8, S::Right::Option18, S::Seperator::Option13, "<0412> "},
      {S::Left::Option21, S::Info::Option9, S::Right::Option19, S::Seperator::Option13,
       "{120426} "},
      {S::Left::Option2, S::Info::Option7, S::Right::Option18, S::Seperator::Option13, "[1204> "},
      {S::Left::Option3, S::Info::Option11, S::Right::Option4, S::Seperator::Option14,
       "#draft# ~ "},
      {S::Left::Option1, S::Info::Option11, S::Right::Option6, S::Seperator::Option12,
       "(draft) - "},
  };
  for (const Case& c : cases) {
    S settings = SettingsOn({2026, 12, 4});
    settings.left = c.left;
    settings.info = c.info;
    settings.right = c.right;
    settings.seperator = c.seperator;
    settings.Text2 = "#";
    settings.Text4 = "draft";
    settings.Text3 = "#";
    settings.Text5 = "~";
    EXPECT_EQ(BeginningBit(settings), c.expected);
  }
}

TEST(BeginningBitTest, CustomTextsAreUsedExactlyAsTyped) {
  S settings = SettingsOn({2026, 12, 4});
  settings.left = S::Left::Option3;
  settings.info = S::Info::Option11;
  settings.right = S::Right::Option4;
  settings.seperator = S::Seperator::Option14;
  EXPECT_EQ(BeginningBit(settings), "  ");  // empty fields; the custom separator is two blanks
  settings.Text2 = " «";
  settings.Text4 = "日本 😀";
  settings.Text3 = "» ";
  settings.Text5 = "é";
  EXPECT_EQ(BeginningBit(settings), " «日本 😀»  é ");
}

TEST(BeginningBitTest, ThePrefixKeepsTheLoadDate) {
  // The window sets the captions once; a batch run on a later day still uses them.
  RenameOperation op;
  op.mode = RenameMode::CommonStyle;
  op.common_style = SettingsOn({2026, 12, 4});
  EXPECT_EQ(ProcessString("notes.txt", op, {}, {2026, 12, 5}), "(1204) notes.txt");
  op.common_style.left = S::Left::Option2;
  op.common_style.info = S::Info::Option10;
  op.common_style.right = S::Right::Option5;
  op.common_style.seperator = S::Seperator::Option12;
  EXPECT_EQ(ProcessString("notes.txt", op, {}, {2027, 1, 1}), "[041226] - notes.txt");
}

}  // namespace
}  // namespace kestro
