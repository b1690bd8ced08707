#include "platform/listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

TEST(MatchesMaskTest, StarsQuestionMarksAndListsWithoutRegardToCase) {
  struct Case {
    const char* name;
    const char* masks;
    bool matches;
  };
  const Case cases[] = {
      {"README", "*.*", true},  // "*.*" takes names without a dot too
      {"A.JPG", "*.jpg", true},
      {"a.jpeg", "*.jpg", false},
      {"ab", "?", false},
      {"é", "?", true},  // one code point, two bytes
      {"😀.png", "?.png", true},
      {"ÉTÉ.TXT", "été.*", true},
      {"x.doc", " *.txt ; *.DOC ", true},
      {"x.pdf", "*.txt;", false},  // an empty piece adds nothing
      {"anything", " ; ", true},
      {"abc", "a*b", false},
      {"mississippi", "m*i*s*p*i", true},
      {"mississippi", "m*x*", false},
      {"\xFF\xFEname", "*name", true},  // not UTF-8: still matched byte by byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesMask(c.name, c.masks), c.matches)
        << "'" << c.name << "' ~ '" << c.masks << "'";
  }
  // Backtracking to the last star only keeps this linear; a naive matcher would not finish.
  EXPECT_FALSE(MatchesMask(std::string(5000, 'a'), "*a*a*a*a*a*a*a*a*a*a*a*b"));
}

TEST(NaturalLessTest, DigitRunsByValueTheRestWithoutCaseTiesByBytes) {
  const std::pair<const char*, const char*> ordered[] = {
      {"img2", "img10"},
      {"img9", "IMG10"},
      {"IMG1", "img1"},   // equal without case: byte order decides, upper case first
      {"img02", "img2"},  // equal by value: byte order decides
      {"img2", "img002x"},
      {"x", "x0"},
      {"999999999999999999999999999999", "1000000000000000000000000000000"},
      {"v00000000000000000000000000000007", "v8"},
      {"é2", "É10"},
      {"a_", "ab"},
      {"1", "a"},
      {"", "a"},
  };
  for (const auto& [a, b] : ordered) {
    EXPECT_TRUE(NaturalLess(a, b)) << "'" << a << "' < '" << b << "'";
    EXPECT_FALSE(NaturalLess(b, a)) << "'" << b << "' !< '" << a << "'";
  }
  EXPECT_EQ(FoldCase("STRASSE"), FoldCase("ſtrasse"));  // long s
  EXPECT_EQ(FoldCase("\xE2\x84\xAA"), "k");             // Kelvin sign
}

TEST(NaturalLessTest, IsAStrictWeakOrderOnRandomNames) {
  std::mt19937 random(20261206);
  const std::string pieces[] = {"a", "A", "b", "0", "1", "01", "10", "9", "00", "é", "É", " ", "."};
  Names names;
  for (int i = 0; i < 60; ++i) {
    std::string name;
    for (int p = static_cast<int>(random() % 5); p > 0; --p) name += pieces[random() % 13];
    names.push_back(name);
  }
  for (const auto& a : names) {
    EXPECT_FALSE(NaturalLess(a, a)) << a;
    for (const auto& b : names) {
      if (!NaturalLess(a, b)) continue;
      EXPECT_FALSE(NaturalLess(b, a)) << a << " / " << b;
      for (const auto& c : names) {
        EXPECT_TRUE(!NaturalLess(b, c) || NaturalLess(a, c)) << a << " < " << b << " < " << c;
      }
    }
  }
}

TEST(ListEntriesTest, MasksAndSortsWhatTheFileSystemLists) {
  MemoryFileSystem fs;
  for (const char* name : {"b10.txt", "b9.TXT", "a.txt", "c.doc", "B1.txt", ".hidden.txt", "A.txt"})
    fs.AddFile("/f", name);
  fs.AddDirectory("/f", "z.txt");
  Names names = {"stale"};
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kFile, "*.txt", &names).ok());
  EXPECT_EQ(names, (Names{"A.txt", "a.txt", "B1.txt", "b9.TXT", "b10.txt"}));
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kDirectory, "", &names).ok());
  EXPECT_EQ(names, (Names{"z.txt"}));
}

}  // namespace
}  // namespace kestro
