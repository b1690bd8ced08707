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

constexpr CalendarDate kDecember4 = {2026, 12, 4};
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

RenameOperation Operation(RenameMode mode, std::string param1, std::string param2 = "",
                          bool keep_extension = false) {
  RenameOperation op;
  op.mode = mode;
  op.param1 = std::move(param1);
  op.param2 = std::move(param2);
  op.keep_extension = keep_extension;
  return op;
}

std::string Transform(const RenameOperation& op, const std::string& name,
                      const NumberingValues& numbers = {}) {
  return ProcessString(name, op, numbers, kDecember4);
}

struct StripCase {
  const char* name;
  const char* count;
  const char* from;  // "1" left, anything else right
  bool keep_extension;
  const char* expected;
};

void ExpectStrips(const StripCase* begin, const StripCase* end) {
  for (const StripCase* c = begin; c != end; ++c) {
    EXPECT_EQ(
        Transform(Operation(RenameMode::Strip, c->count, c->from, c->keep_extension), c->name),
        c->expected)
        << "strip " << c->count << " from " << (std::string(c->from) == "1" ? "left" : "right")
        << (c->keep_extension ? " keeping the extension" : "") << " of \"" << c->name << "\"";
  }
}

TEST(ProcessStringStripTest, WholeCounts) {
  const StripCase cases[] = {
      {"abcdef", "3", "1", false, "def"},
      {"abcdef", "3", "2", false, "abc"},
      {"abcdef", "1", "1", false, "bcdef"},
      {"abcdef", "1", "", false, "abcde"},
      {"abcdef", "5", "1", false, "f"},
      {"abcdef", "5", "2", false, "a"},
      {"abcdef", "6", "1", false, "abcdef"},  // the whole name is never stripped away
      {"abcdef", "6", "2", false, "abcdef"},
      {"abcdef", "60", "1", false, "abcdef"},
      {"abcdef", "0", "1", false, "abcdef"},
      {"abcdef", "abc", "1", false, "abcdef"},  // reads as 0
      {"abcdef", " 2", "1", false, "cdef"},
      {"report.doc", "2", "2", false, "report.d"},
      {"report.doc", "2", "1", true, "port.doc"},  // from the left the extension is no matter
      {"", "1", "1", false, ""},
  };
  ExpectStrips(std::begin(cases), std::end(cases));
}

TEST(ProcessStringStripTest, KeepExtensionStripsTheBaseOnly) {
  const StripCase cases[] = {
      {"report.doc", "2", "2", true, "repo.doc"},
      {"archive.tar.gz", "2", "2", true, "archive.t.gz"},  // split at the last "."
      {"README", "2", "2", true, "README"},                // no "."
      {".profile", "2", "2", true, ".profile"},            // empty base
      {"   .txt", "1", "2", true, "   .txt"},              // base of blanks only
      {"abc.txt", "3", "2", true, ".txt"},                 // count equal to the base's length
      {"abc.txt", "4", "2", true, "abc.txt"},              // count above it
      {"abc.", "1", "2", true, "ab."},
      {"a b.txt", "1", "2", true, "a .txt"},
      {"abc.txt", "7", "2", true, "abc.txt"},
  };
  ExpectStrips(std::begin(cases), std::end(cases));
}

TEST(ProcessStringStripTest, FractionalCountsRoundTheKeptCountHalfToEven) {
  const StripCase cases[] = {
      // L = 6: keep 6 - n, rounded.
      {"abcdef", "3.5", "1", false, "ef"},      // keep 2.5 -> 2 (half up would keep 3)
      {"abcdef", "2.5", "1", false, "cdef"},    // keep 3.5 -> 4
      {"abcdef", "2.3", "2", false, "abcd"},    // keep 3.7 -> 4 (truncation would keep 3)
      {"abcdef", "2.7", "2", false, "abc"},     // keep 3.3 -> 3
      {"abcdef", "0.5", "1", false, "abcdef"},  // keep 5.5 -> 6
      {"abcdef", "1.5", "1", false, "cdef"},    // keep 4.5 -> 4
      {"abcdef", "5.6", "1", false, "abcdef"},  // keep 0.4 -> 0: the name stays whole
      {"abcdef", "5.5", "2", false, "abcdef"},  // keep 0.5 -> 0
      {"abcdef", "5.4", "2", false, "a"},       // keep 0.6 -> 1
      // Base "abc": keep 3 - n, rounded.
      {"abc.txt", "0.5", "2", true, "ab.txt"},   // keep 2.5 -> 2
      {"abc.txt", "1.5", "2", true, "ab.txt"},   // keep 1.5 -> 2
      {"abc.txt", "2.5", "2", true, ".txt"},     // keep 0.5 -> 0
      {"abc.txt", "3.5", "2", true, "abc.txt"},  // above the base's length
  };
  ExpectStrips(std::begin(cases), std::end(cases));
}

TEST(ProcessStringStripTest, NegativeCountsKeepTheWholeName) {
  const StripCase cases[] = {
      {"abcdef", "-2", "1", false, "abcdef"},
      {"abcdef", "-2", "2", false, "abcdef"},
      {"abc.txt", "-2", "2", true, "abc.txt"},
      {"abcdef", "-99999999999999999999999", "1", false, "abcdef"},
  };
  ExpectStrips(std::begin(cases), std::end(cases));
}

TEST(ProcessStringStripTest, CountsCodePointsNeverBytes) {
  const StripCase cases[] = {
      {"été.txt", "2", "1", false, "é.txt"},
      {"été.txt", "2", "2", false, "été.t"},
      {"日本語.txt", "1", "2", true, "日本.txt"},
      {"日本語.txt", "2", "1", false, "語.txt"},
      {"😀😀x.png", "2", "2", true, "😀.png"},
      {"a😀", "1", "2", false, "a"},
      {"😀b", "1", "1", false, "b"},
      {"x.日本", "1", "2", false, "x.日"},
      {"日本", "2", "1", false, "日本"},  // n = L: unchanged
  };
  ExpectStrips(std::begin(cases), std::end(cases));
}

TEST(ProcessStringReplaceTest, MatchesWithoutRegardToCase) {
  struct Case {
    const char* name;
    const char* find;
    const char* with;
    const char* expected;
  };
  const Case cases[] = {
      {"Eleven sheets.xls", "E", "x", "xlxvxn shxxts.xls"},
      {"Eleven sheets.xls", "", "x", "Eleven sheets.xls"},
      {"banana", "a", "aa", "baanaanaa"},  // inserted text is not searched again
      {"aaaa", "aa", "b", "bb"},
      {"aaa", "aa", "X", "Xa"},  // no overlaps, left to right
      {"File FILE file", "file", "Doc", "Doc Doc Doc"},
      {"abc", "ABC", "", ""},  // all replaced by nothing
      {"my file.txt", " ", "_", "my_file.txt"},
      {"ÉTÉ été", "é", "e", "eTe ete"},
      {"日本.txt", "日本", "Japan", "Japan.txt"},
      {"a😀b😀", "😀", "-", "a-b-"},
      {"abc", "abcd", "x", "abc"},      // longer than the name
      {"Straße", "SS", "x", "Straße"},  // simple mapping: "ß" is not "SS"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Transform(Operation(RenameMode::Replace, c.find, c.with), c.name), c.expected)
        << "replace \"" << c.find << "\" by \"" << c.with << "\" in \"" << c.name << "\"";
    EXPECT_EQ(ReplaceAll(c.name, c.find, c.with), c.expected);
  }
}

TEST(ReplaceAllTest, KeepsTheReplacementsCaseAndStrayBytes) {
  EXPECT_EQ(ReplaceAll("x-X", "x", "Ab"), "Ab-Ab");
  EXPECT_EQ(ReplaceAll("a\xFF"
                       "b",
                       "\xFF", "_"),
            "a_b");
  EXPECT_EQ(ReplaceAll("a\xFF"
                       "b",
                       "B", "c"),
            "a\xFF"
            "c");
  EXPECT_EQ(ReplaceAll("a~b~", "~", " "), "a b ");
}

TEST(ProcessStringCaseTest, CodesAndRounding) {
  struct Case {
    const char* code;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"1", "My File.txt", "MY FILE.TXT"},
      {"2", "My File.txt", "my file.txt"},
      {"3", "hello WORLD.TXT", "Hello World.txt"},
      {" 3", "hello WORLD.TXT", "Hello World.txt"},  // the window's leading blank
      {"0", "My File.txt", "My File.txt"},
      {"4", "My File.txt", "My File.txt"},
      {"abc", "My File.txt", "My File.txt"},
      {"2.5", "My File.txt", "my file.txt"},  // rounds to 2, not 3
      {"3.5", "My File.txt", "My File.txt"},  // rounds to 4
      {"1.4", "My File.txt", "MY FILE.TXT"},
      {"1", "été 日本 😀.txt", "ÉTÉ 日本 😀.TXT"},
      {"2", "ÉTÉ 日本 😀.TXT", "été 日本 😀.txt"},
      {"3", "élan VITAL 日本 😀x.TXT", "Élan Vital 日本 😀x.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Transform(Operation(RenameMode::Case, c.code), c.name), c.expected)
        << "case code \"" << c.code << "\" on \"" << c.name << "\"";
  }
}

TEST(ProcessStringCaseTest, IndependentOfTheCLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  EXPECT_EQ(Transform(Operation(RenameMode::Case, "1"), "résumé.txt"), "RÉSUMÉ.TXT");
  EXPECT_EQ(Transform(Operation(RenameMode::Case, "3"), "ÉCOLE été"), "École Été");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(SentenceCaseTest, OnlyTheBlankSeparatesWords) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"", ""},
      {"my_file NAME.TXT", "My_file Name.txt"},
      {" abc", " Abc"},
      {"a  b", "A  B"},
      {"one-two three.four", "One-two Three.four"},
      {"x\ty", "X\ty"},  // a tab is no blank
      {"élan ÉTÉ", "Élan Été"},
      {"日本 ábc", "日本 Ábc"},
      {"😀 😀a b", "😀 😀a B"},
  };
  for (const Case& c : cases) EXPECT_EQ(SentenceCase(c.text), c.expected) << c.text;
}

TEST(ProcessStringExtensionTest, AppendsToTheWholeName) {
  EXPECT_EQ(Transform(Operation(RenameMode::Extension, ".old"), "notes"), "notes.old");
  EXPECT_EQ(Transform(Operation(RenameMode::Extension, ".bak"), "a.txt"), "a.txt.bak");
  EXPECT_EQ(Transform(Operation(RenameMode::Extension, ""), "a.txt"), "a.txt");
  EXPECT_EQ(Transform(Operation(RenameMode::Extension, ".日本"), "é"), "é.日本");
}

TEST(ProcessStringLiteralTest, PlaceholdersInTheirOrder) {
  struct Case {
    const char* template_text;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"$NAME - $DATE2", "a.txt", "a.txt - 041226"},
      {"$Date3$name", "a.txt", "1204a.txt"},
      {"$DATE1 $DATE2 $DATE3 $DATE4", "x", "120426 041226 1204 0412"},
      {"$date4_$dAtE1", "x", "0412_120426"},
      {"fixed.txt", "a.txt", "fixed.txt"},
      {"", "a.txt", ""},
      {"$NAME", "日本 😀.txt", "日本 😀.txt"},
      // The passes after "$NAME" act on the inserted name, once.
      {"$NAME", "x$date1", "x120426"},
      {"$NAME", "a$NAMEb", "aa$NAMEbb"},
      {"$NAME!", "$DATE3", "1204!"},
      {"$DATE", "a", "$DATE"},
      {"$NAMES", "a", "aS"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Transform(Operation(RenameMode::Literal, c.template_text), c.name), c.expected)
        << "template \"" << c.template_text << "\" on \"" << c.name << "\"";
  }
}

TEST(ProcessStringNumberingTest, NumberSeparatorAndZerosInFront) {
  struct Case {
    const char* direction;
    const char* zeros;
    NumberingValues numbers;
    const char* expected;
  };
  const Case cases[] = {
      {"1", "", {12, 999, 3}, "12 - a.txt"},
      {"1", "1", {12, 999, 3}, "012 - a.txt"},
      {"1", "1", {7, 999, 3}, "007 - a.txt"},
      {"1", "1", {1234, 999, 3}, "1234 - a.txt"},  // neither cut nor padded
      {"1", "1", {-5, 999, 3}, "0-5 - a.txt"},     // zeros go before the sign too
      {"1", "1", {0, 999, 3}, "000 - a.txt"},
      {"1", "1", {5, 999, -2}, "5 - a.txt"},
      {"1", "0", {5, 999, 3}, "5 - a.txt"},  // only "1" asks for zeros
      {"2", "", {1, 10, 2}, "10 - a.txt"},
      {"2", "", {10, 10, 2}, "1 - a.txt"},
      {"2", "1", {10, 10, 2}, "01 - a.txt"},
      {"2", "", {12, 10, 2}, "-1 - a.txt"},
      {"", "", {3, 10, 2}, "8 - a.txt"},  // anything but "1" is descending
      {"2", "1", {1, 999, 3}, "999 - a.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Transform(Operation(RenameMode::Numbering, c.direction, c.zeros), "a.txt", c.numbers),
              c.expected)
        << "direction \"" << c.direction << "\" zeros \"" << c.zeros << "\" entry "
        << c.numbers.entry_number << " highest " << c.numbers.highest_number << " width "
        << c.numbers.digit_width;
  }
}

TEST(ProcessStringNumberingTest, DescendingOverflowLeavesTheNameAsItWas) {
  struct Case {
    NumberingValues numbers;
    const char* expected;
  };
  const Case cases[] = {
      {{0, kMax, 1}, "a.txt"},  // kMax + 1
      {{-5, kMax, 1}, "a.txt"},
      {{kMin, 0, 1}, "a.txt"},
      {{2, kMin, 1}, "a.txt"},  // kMin - 1
      {{kMax, kMin, 1}, "a.txt"},
      {{1, kMax, 1}, "2147483647 - a.txt"},  // the largest that fits
      {{1, kMin, 1}, "-2147483648 - a.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Transform(Operation(RenameMode::Numbering, "2"), "a.txt", c.numbers), c.expected)
        << "entry " << c.numbers.entry_number << " highest " << c.numbers.highest_number;
  }
  // Ascending never computes the difference.
  EXPECT_EQ(Transform(Operation(RenameMode::Numbering, "1"), "a", {kMin, kMax, 1}),
            "-2147483648 - a");
}

TEST(ProcessStringTest, OtherModesLeaveTheNameUnchanged) {
  for (const auto mode : {RenameMode::None, static_cast<RenameMode>(8), static_cast<RenameMode>(-1),
                          static_cast<RenameMode>(99)}) {
    EXPECT_EQ(Transform(Operation(mode, "3", "1"), "My File.txt"), "My File.txt")
        << static_cast<int>(mode);
  }
}

TEST(ProcessStringTest, CommonStylePutsThePrefixBeforeTheWholeName) {
  RenameOperation op = Operation(RenameMode::CommonStyle, "");
  op.common_style.captions.Option7 = "1204";
  EXPECT_EQ(Transform(op, "report.doc"), "(1204) report.doc");
  op.common_style.seperator = CommonStyleSettings::Seperator::Option12;
  EXPECT_EQ(Transform(op, "日本.txt"), "(1204) - 日本.txt");
}

TEST(ProcessStringTest, NamesThatAreNotUtf8ComeBackUnchanged) {
  const std::string bad = "caf\xE9.txt";  // Latin-1
  const RenameOperation ops[] = {
      Operation(RenameMode::CommonStyle, ""),     Operation(RenameMode::Strip, "2", "1"),
      Operation(RenameMode::Replace, "c", "k"),   Operation(RenameMode::Case, "1"),
      Operation(RenameMode::Extension, ".bak"),   Operation(RenameMode::Literal, "$NAME x"),
      Operation(RenameMode::Numbering, "1", "1"),
  };
  for (const RenameOperation& op : ops) {
    EXPECT_EQ(Transform(op, bad), bad) << "mode " << static_cast<int>(op.mode);
  }
}

TEST(ProcessStringTest, ParametersThatAreNotUtf8AreSkipped) {
  EXPECT_EQ(Transform(Operation(RenameMode::Replace, "a", "\xFF"), "abc"), "abc");
  EXPECT_EQ(Transform(Operation(RenameMode::Extension, ".\xC3"), "abc"), "abc");
  EXPECT_EQ(Transform(Operation(RenameMode::Literal, "\xE6\x97 $NAME"), "abc"), "abc");
}

TEST(ProcessStringTest, EveryResultOfValidInputIsValidUtf8) {
  // Pieces that a code point split in the wrong place would break.
  const char* const pieces[] = {"a", "Z",     "é",      "É", "日本", "😀", ".",  " ",
                                "$", "$NAME", "$date1", "0", "5",    "-", "2.5"};
  std::mt19937 random(20261204);
  const auto text = [&](int max_pieces) {
    std::string out;
    const int n = static_cast<int>(random() % static_cast<unsigned>(max_pieces + 1));
    for (int i = 0; i < n; ++i) out += pieces[random() % std::size(pieces)];
    return out;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string name = text(8);
    RenameOperation op = Operation(static_cast<RenameMode>(round % 8), text(3),
                                   round % 3 == 0 ? "1" : text(2), round % 2 == 0);
    const NumberingValues numbers{static_cast<std::int32_t>(random()),
                                  static_cast<std::int32_t>(random()),
                                  static_cast<std::int16_t>(random() % 12)};
    const std::string result = Transform(op, name, numbers);
    SCOPED_TRACE("mode " + std::to_string(round % 8) + " name \"" + name + "\" param1 \"" +
                 op.param1 + "\" param2 \"" + op.param2 + "\"");
    EXPECT_TRUE(IsValidUtf8(result));
    if (op.mode == RenameMode::Strip) {
      EXPECT_LE(CodePointCount(result), CodePointCount(name));
      EXPECT_EQ(result.empty(), name.empty());  // never stripped away entirely
    }
  }
}

}  // namespace
}  // namespace kestro
