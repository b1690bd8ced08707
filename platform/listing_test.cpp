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
    EXPECT_FALSE(NaturalLess(a, a)) << "'" << a << "'";
  }
  // Runs whose lengths differ only above the lowest byte of the length.
  EXPECT_TRUE(NaturalLess("a" + std::string(255, '9'), "a1" + std::string(255, '0')));
  EXPECT_FALSE(NaturalLess("a1" + std::string(255, '0'), "a" + std::string(255, '9')));
  EXPECT_EQ(FoldCase("STRASSE"), FoldCase("ſtrasse"));  // long s
  EXPECT_EQ(FoldCase("\xE2\x84\xAA"), "k");             // Kelvin sign
}

// The order as a two-name comparison of folded names, digit runs decoded as they are met: the
// reference the list's order is checked against.
int ReferenceCompare(std::string_view a, std::string_view b) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      std::size_t end_a = i;
      std::size_t end_b = j;
      while (end_a < a.size() && digit(a[end_a])) ++end_a;
      while (end_b < b.size() && digit(b[end_b])) ++end_b;
      if (end_a - i != end_b - j) return end_a - i < end_b - j ? -1 : 1;
      if (const int c = a.substr(i, end_a - i).compare(b.substr(j, end_b - j)); c != 0) return c;
      i = end_a, j = end_b;
    } else if (a[i] != b[j]) {
      return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
    } else {
      ++i, ++j;
    }
  }
  return (i < a.size()) - (j < b.size());
}

bool ReferenceLess(const std::string& a, const std::string& b) {
  const int order = ReferenceCompare(FoldCase(a), FoldCase(b));
  return order != 0 ? order < 0 : a < b;
}

TEST(ListEntriesTest, OrderIsTheRunByRunOrderOnRandomNames) {
  std::mt19937 random(4711);
  // Runs of every length around 9 and up to 120, zeros alone and leading, the bytes next to the
  // digits (".", ":"), case pairs, and a byte that is not UTF-8.
  const char* const pieces[] = {
      "0", "00", "1", "9", "10", "000000000", "12345678", "99999999999999999999",
      "a", "A",  "é", "É", ".",  " ",         ":",        "\xFF"};
  MemoryFileSystem fs;
  for (int i = 0; i < 4000; ++i) {
    std::string name;
    for (int p = 1 + static_cast<int>(random() % 6); p > 0; --p) {
      name += pieces[random() % std::size(pieces)];
    }
    if (name[0] != '.') fs.AddFile("/f", name);  // not hidden
  }
  Names names;
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kFile, "", &names).ok());
  EXPECT_EQ(names.size(), fs.AllNames("/f").size());
  // The names are distinct and the reference orders distinct names totally, so neighbours in
  // reference order mean the whole list is in it.
  for (std::size_t k = 1; k < names.size(); ++k) {
    const std::string& a = names[k - 1];
    const std::string& b = names[k];
    EXPECT_TRUE(ReferenceLess(a, b) && NaturalLess(a, b) && !NaturalLess(b, a)) << a << " / " << b;
  }
}

// The in-memory file system lists in byte order: the rows' names come in natural order, in its
// reverse, in neither, and with names the mask or the kind leaves out.
TEST(ListEntriesTest, MasksAndSortsWhatTheFileSystemLists) {
  const struct {
    Names files;
    const char* mask;
    Names expected;
  } rows[] = {
      {{"a1", "a2", "b", "c 7"}, "", {"a1", "a2", "b", "c 7"}},
      {{"x3", "x20", "x100", "x1000"}, "", {"x3", "x20", "x100", "x1000"}},
      {{"a", "B", "c", "d9x", "D10"}, "", {"a", "B", "c", "d9x", "D10"}},
      {{"b10.txt", "b9.TXT", "a.txt", "c.doc", "B1.txt", ".hidden.txt", "A.txt"},
       "*.txt",
       {"A.txt", "a.txt", "B1.txt", "b9.TXT", "b10.txt"}},
  };
  for (const auto& row : rows) {
    MemoryFileSystem fs;
    for (const std::string& name : row.files) fs.AddFile("/f", name);
    fs.AddDirectory("/f", "z.txt");
    Names names = {"stale"};
    ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kFile, row.mask, &names).ok());
    EXPECT_EQ(names, row.expected) << row.mask;
    ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kDirectory, row.mask, &names).ok());
    EXPECT_EQ(names, (Names{"z.txt"}));
  }
}

}  // namespace
}  // namespace kestro
