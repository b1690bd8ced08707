#include "engine/process_string.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "engine/utf8_text.h"

namespace kestro {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct Case {
  RenameMode mode;
  const char* param1;
  const char* param2;
  bool keep_extension;
  const char* name;
  const char* expected;
  NumberingValues numbers = {};
  bool extension_only = false;
};

std::string Transform(const Case& c) {
  RenameOperation op;
  op.mode = c.mode;
  op.param1 = c.param1;
  op.param2 = c.param2;
  op.keep_extension = c.keep_extension;
  op.extension_only = c.extension_only;
  op.common_style.captions.Option7 = "1203";  // set when the window opened, the day before
  return ProcessString(c.name, op, c.numbers, CalendarDate{2026, 12, 4});
}

constexpr auto kStrip = RenameMode::Strip;
constexpr auto kReplace = RenameMode::Replace;
constexpr auto kCase = RenameMode::Case;
constexpr auto kLiteral = RenameMode::Literal;
constexpr auto kNumbering = RenameMode::Numbering;

// Under the C locale, so case does not depend on it.
TEST(ProcessStringTest, EveryModeOnItsCorners) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  const Case cases[] = {
      // Strip: param1 the count, param2 "1" from the left, anything else from the right.
      {kStrip, "3", "1", false, "abcdef", "def"},
      {kStrip, "3", "", false, "abcdef", "abc"},
      {kStrip, "6", "1", false, "abcdef", "abcdef"},  // the whole name is never stripped away
      {kStrip, "-99999999999999999999", "2", false, "abcdef", "abcdef"},
      {kStrip, "2", "2", true, "report.doc", "repo.doc"},
      {kStrip, "2", "1", true, "report.doc", "port.doc"},          // from the left: the whole name
      {kStrip, "2", "2", true, "archive.tar.gz", "archive.t.gz"},  // split at the last "."
      {kStrip, "2", "2", true, "README", "README"},
      {kStrip, "2", "2", true, ".profile", ".profile"},  // empty base
      {kStrip, "1", "2", true, "   .txt", "   .txt"},    // base of blanks only
      {kStrip, "3", "2", true, "abc.txt", ".txt"},
      // Fractional counts: the kept count is rounded half to even.
      {kStrip, "3.5", "1", false, "abcdef", "ef"},      // keep 2.5 -> 2
      {kStrip, "2.3", "2", false, "abcdef", "abcd"},    // keep 3.7 -> 4, not truncated
      {kStrip, "5.6", "1", false, "abcdef", "abcdef"},  // keep 0.4 -> 0: the name stays whole
      {kStrip, "2.5", "2", true, "abc.txt", ".txt"},    // keep 0.5 -> 0
      // Code points, never bytes.
      {kStrip, "2", "2", false, "été.txt", "été.t"},
      {kStrip, "1", "2", true, "日本語.txt", "日本.txt"},
      {kStrip, "1", "1", false, "😀b", "b"},
      // Replace: without regard to case, left to right, no overlaps, inserted text not searched.
      {kReplace, "E", "x", false, "Eleven sheets.xls", "xlxvxn shxxts.xls"},
      {kReplace, "a", "aa", false, "banana", "baanaanaa"},
      {kReplace, "aa", "X", false, "aaa", "Xa"},
      {kReplace, "é", "e", false, "ÉTÉ été", "eTe ete"},
      {kReplace, "😀", "-", false, "a😀b😀", "a-b-"},
      {kReplace, "SS", "x", false, "Straße", "Straße"},  // simple mapping: "ß" is not "SS"
      {kReplace, "a", "\xFF", false, "abc", "abc"},      // a parameter that is not UTF-8: skipped
      // Case: 1 upper, 2 lower, 3 sentence (a blank alone starts a word); the code is rounded.
      {kCase, "1", "", false, "été 日本 😀.txt", "ÉTÉ 日本 😀.TXT"},
      {kCase, "2", "", false, "ÉTÉ.TXT", "été.txt"},
      {kCase, "3", "", false, " élan  VITAL-x\ty.TXT", " Élan  Vital-x\ty.txt"},
      {kCase, "2.5", "", false, "My File", "my file"},  // rounds to 2, not 3
      {kCase, "3.5", "", false, "My File", "My File"},  // rounds to 4
      // Case of the extension alone: the part after the last dot, each word as in a name.
      {kCase, "2", "", false, "My Photo.JPG", "My Photo.jpg", {}, true},
      {kCase, "1", "", false, "archive.Tar.gz", "archive.Tar.GZ", {}, true},
      {kCase, "3", "", false, "a.bc dE", "a.Bc De", {}, true},
      {kCase, "2", "", false, "README", "README", {}, true},      // no dot: no extension
      {kCase, "1", "", false, ".profile", ".profile", {}, true},  // a leading dot starts none
      {kCase, "1", "", false, "end.", "end.", {}, true},
      {kCase, "0", "", false, "x.JPG", "x.JPG", {}, true},
      // Extension, common style and unknown modes.
      {RenameMode::Extension, ".bak", "", false, "a.txt", "a.txt.bak"},
      {RenameMode::Extension, ".\xC3", "", false, "abc", "abc"},
      {RenameMode::CommonStyle, "", "", false, "日本.txt", "(1203) 日本.txt"},
      {static_cast<RenameMode>(8), "3", "1", false, "My File", "My File"},
      // Literal: placeholders without regard to case, each pass on the result of the one before.
      {kLiteral, "$NAME - $DATE2", "", false, "a.txt", "a.txt - 041226"},
      {kLiteral, "$DATE1 $date3_$dAtE4", "", false, "x", "120426 1204_0412"},
      {kLiteral, "$NAME", "", false, "x$date1", "x120426"},
      {kLiteral, "$NAME", "", false, "a$NAMEb", "aa$NAMEbb"},
      {kLiteral, "$DATE $NAMES", "", false, "a", "$DATE aS"},
      {kLiteral, "\xE6\x97 $NAME", "", false, "abc", "abc"},
      // Numbering: param1 "1" ascending, param2 "1" zeros up to the digit width.
      {kNumbering, "1", "1", false, "a", "007 - a", {7, 999, 3}},
      {kNumbering, "1", "1", false, "a", "1234 - a", {1234, 999, 3}},  // neither cut nor padded
      {kNumbering, "1", "1", false, "a", "0-5 - a", {-5, 999, 3}},     // zeros before the sign
      {kNumbering, "1", "0", false, "a", "5 - a", {5, 999, 3}},
      {kNumbering, "2", "1", false, "a", "01 - a", {10, 10, 2}},  // highest - entry + 1
      {kNumbering, "2", "", false, "a", "a", {0, kMax, 1}},       // beyond 32 bits: no number
      {kNumbering, "2", "", false, "a", "2147483647 - a", {1, kMax, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Transform(c), c.expected)
        << "mode " << static_cast<int>(c.mode) << " \"" << c.param1 << "\" \"" << c.param2 << "\""
        << (c.keep_extension ? " keeping the extension" : "")
        << (c.extension_only ? " on the extension" : "") << " on \"" << c.name << "\"";
  }
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(ProcessStringTest, NamesThatAreNotUtf8ComeBackUnchangedWhateverTheMode) {
  for (int mode = 1; mode <= 7; ++mode) {
    const Case c{static_cast<RenameMode>(mode), "1", "1", false, "caf\xE9.txt", ""};
    EXPECT_EQ(Transform(c), c.name) << "mode " << mode;
  }
  // Stray bytes match only themselves.
  EXPECT_EQ(ReplaceAll(std::string("a\xFF") + "b", "B", "c"), std::string("a\xFF") + "c");
}

TEST(ProcessStringTest, EveryResultOfValidInputIsValidUtf8) {
  // Pieces that a code point split in the wrong place would break.
  const char* const pieces[] = {"a", "Z", "é", "É", "日本", "😀", ".", " ", "$NAME", "5", "2.5"};
  std::mt19937 random(20261204);
  const auto text = [&](unsigned max_pieces) {
    std::string out;
    for (unsigned n = random() % (max_pieces + 1); n > 0; --n) out += pieces[random() % 11];
    return out;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string name = text(8);
    const std::string p1 = text(3);
    const std::string p2 = round % 3 == 0 ? "1" : text(2);
    const Case c{
        static_cast<RenameMode>(round % 8),
        p1.c_str(),
        p2.c_str(),
        round % 2 == 0,
        name.c_str(),
        "",
        NumberingValues{static_cast<std::int32_t>(random()), static_cast<std::int32_t>(random()),
                        static_cast<std::int16_t>(random() % 12)}};
    const std::string result = Transform(c);
    EXPECT_TRUE(IsValidUtf8(result)) << "mode " << round % 8 << " \"" << p1 << "\" on " << name;
    EXPECT_TRUE(c.mode != kStrip || result.empty() == name.empty()) << name;
  }
}

TEST(ProcessStringTest, TheEntrysOwnDatesAndExtensionGoInBeforeTheNamePasses) {
  EntryDates dates;
  dates.taken = DateTime{{2024, 5, 1}, 9, 8, 7};
  dates.modified = DateTime{{2025, 11, 30}, 23, 59, 0};
  EntryDates no_taken = dates;
  no_taken.taken.reset();
  no_taken.no_taken = "it holds no date taken (its metadata cannot be read: damaged)";
  struct Row {
    const char* template_text;
    const char* name;
    const EntryDates* dates;
    const char* expected;  // "" with `failure`: the name is kept for that reason
    const char* failure = "";
  };
  const Row rows[] = {
      {"$TAKEN$EXT", "IMG_1.JPG", &dates, "20240501_090807.JPG"},
      {"$taken1 $Taken2 $TAKEN3 $TAKEN4 $TAKEN", "a", &dates,
       "050124 010524 0501 0105 20240501_090807"},
      {"$MODIFIED$ext-$modified3$MODIFIED4", "a.tar.gz", &dates, "20251130_235900.gz-11303011"},
      {"$TAKEN5$EXT", "b", &dates, "20240501_0908075"},  // no extension: nothing
      {"$EXT", ".profile", &dates, ""},
      // Inserted text is never read again: neither an extension nor a name holding placeholders.
      {"$NAME$EXT", "x.$name", &dates, "x.x.$name.$name"},  // what $NAME put in is read on
      {"$EXT$DATE3", "x.$date1", &dates, ".$date11204"},
      {"$NAME", "a$TAKEN", &dates, "a$TAKEN"},
      {"$NA$EXTME", "a", &dates, "$NAME"},
      // A missing date keeps the name, whatever else the template holds; "ı" upper-cases to "I"
      // as in every pass.
      {"$TAKEN$NAME", "a.jpg", &no_taken, "", no_taken.no_taken.c_str()},
      {"$MODıFıED", "a", &dates, "20251130_235900"},
      {"$MODIFIED", "a", nullptr, "", "its date modified cannot be read"},
  };
  RenameOperation op;
  op.mode = RenameMode::Literal;
  for (const Row& row : rows) {
    op.param1 = row.template_text;
    std::string failure;
    const std::string result =
        ProcessString(row.name, op, {}, CalendarDate{2026, 12, 4}, &failure, row.dates);
    EXPECT_EQ(failure, row.failure) << row.template_text << " on " << row.name;
    EXPECT_EQ(result, *row.failure != '\0' ? row.name : row.expected)
        << row.template_text << " on " << row.name;
  }
  // The date prefix of the common style takes the entry's date when chosen, and never another.
  op.mode = RenameMode::CommonStyle;
  op.common_style.captions.Option7 = "1204";
  op.common_style.date_choice = DateChoice::Taken;
  std::string failure;
  EXPECT_EQ(ProcessString("a", op, {}, {}, &failure, &dates), "(0501) a");
  EXPECT_EQ(ProcessString("a", op, {}, {}, &failure, &no_taken), "a");
  EXPECT_EQ(failure, no_taken.no_taken);
  op.common_style.date_choice = DateChoice::Modified;
  EXPECT_EQ(ProcessString("a", op, {}, {}, nullptr, &dates), "(1130) a");
}

}  // namespace
}  // namespace kestro
