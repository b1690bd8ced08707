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

struct MaskCase {
  const char* name;
  const char* masks;
  bool matches;
};

TEST(MatchesMaskTest, Table) {
  const MaskCase cases[] = {
      {"photo.jpg", "*.*", true},
      {"README", "*.*", true},  // "*.*" takes names without a dot too
      {".profile", "*.*", true},
      {"a.jpg", "*.JPG", true},
      {"A.JPG", "*.jpg", true},
      {"a.jpeg", "*.jpg", false},
      {"a.jpg.txt", "*.jpg", false},
      {"a.jpg", "*.jp?", true},
      {"a.jp", "*.jp?", false},
      {"ab", "?", false},
      {"a", "?", true},
      {"", "?", false},
      {"é", "?", true},  // one code point, two bytes
      {"日本", "??", true},
      {"日本", "?", false},
      {"😀.png", "?.png", true},
      {"ÉTÉ.TXT", "été.*", true},
      {"Ωmega", "ω*", true},
      {"x.doc", "*.txt;*.doc", true},
      {"x.doc", " *.txt ; *.DOC ", true},
      {"x.pdf", "*.txt;*.doc", false},
      {"x.pdf", "*.txt;", false},  // an empty piece adds nothing
      {"anything", "", true},
      {"anything", " ; ", true},
      {"anything", "*", true},
      {"abc", "a*c", true},
      {"abc", "a*b", false},
      {"aXbXc", "*b*c", true},
      {"mississippi", "*sip*", true},
      {"mississippi", "m*i*s*p*i", true},
      {"mississippi", "m*x*", false},
      {"img 1.jpg", "img ?.jpg", true},
      {"data", "dat", false},
      {"dat", "data", false},
      {"\xFF\xFEname", "*name", true},  // not UTF-8: still matched byte by byte
      {"\xFF", "?", true},
  };
  for (const MaskCase& c : cases) {
    EXPECT_EQ(MatchesMask(c.name, c.masks), c.matches)
        << "'" << c.name << "' ~ '" << c.masks << "'";
  }
}

TEST(MatchesMaskTest, ManyStarsOnALongNameStayQuick) {
  // Backtracking to the last star only keeps this linear; a naive matcher would not finish.
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesMask(name, "*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchesMask(name, "*a*a*a*a*a*a*a*a*a*a*a*"));
}

TEST(NaturalLessTest, TableOfOrderedPairs) {
  // Each pair is in strict natural order.
  const std::pair<const char*, const char*> pairs[] = {
      {"img2", "img10"},
      {"img2.jpg", "img10.jpg"},
      {"img9", "IMG10"},
      {"a", "B"},
      {"B", "c"},
      {"IMG1", "img1"},   // equal without case: byte order decides, upper case first
      {"img02", "img2"},  // equal by value: byte order decides
      {"img2", "img002x"},
      {"a0", "a00"},
      {"x", "x0"},
      {"x1", "x1a"},
      {"file1b", "file01c"},
      {"9", "10"},
      {"123456789012345678901234567890", "123456789012345678901234567891"},
      {"999999999999999999999999999999", "1000000000000000000000000000000"},
      {"v00000000000000000000000000000007", "v8"},
      {"a 2", "a 10"},
      {"é2", "É10"},
      {"ä", "ö"},
      {"Ω1", "ω2"},
      {"a_", "ab"},
      {"1", "a"},
      {"", "a"},
  };
  for (const auto& [a, b] : pairs) {
    EXPECT_TRUE(NaturalLess(a, b)) << "'" << a << "' < '" << b << "'";
    EXPECT_FALSE(NaturalLess(b, a)) << "'" << b << "' !< '" << a << "'";
  }
  EXPECT_FALSE(NaturalLess("same", "same"));
}

TEST(NaturalLessTest, SortsANumberedSetTheWayAPersonCounts) {
  Names names = {"img10.jpg",  "Img1.jpg",   "img2.jpg", "img1.jpg",
                 "img100.jpg", "img020.jpg", "IMG3.jpg", "img.jpg"};
  std::sort(names.begin(), names.end(), NaturalLess);
  EXPECT_EQ(names, (Names{"img.jpg", "Img1.jpg", "img1.jpg", "img2.jpg", "IMG3.jpg", "img10.jpg",
                          "img020.jpg", "img100.jpg"}));
}

TEST(NaturalLessTest, IsAStrictWeakOrderOnRandomNames) {
  std::mt19937 random(20261206);
  const std::string pieces[] = {"a", "A", "b", "0", "1", "01", "10", "9", "00", "é", "É", " ", "."};
  Names names;
  for (int i = 0; i < 80; ++i) {
    std::string name;
    const int parts = static_cast<int>(random() % 5);
    for (int p = 0; p < parts; ++p) name += pieces[random() % std::size(pieces)];
    names.push_back(name);
  }
  for (const auto& a : names) {
    EXPECT_FALSE(NaturalLess(a, a)) << a;
    for (const auto& b : names) {
      if (!NaturalLess(a, b)) continue;
      EXPECT_FALSE(NaturalLess(b, a)) << a << " / " << b;
      for (const auto& c : names) {
        if (NaturalLess(b, c)) {
          EXPECT_TRUE(NaturalLess(a, c)) << a << " < " << b << " < " << c;
        }
      }
    }
  }
}

TEST(FoldCaseTest, AgreesAcrossTheCasesOfAName) {
  EXPECT_EQ(FoldCase("STRASSE"), FoldCase("strasse"));
  EXPECT_EQ(FoldCase("\xC5\xBF"), "s");  // long s
  EXPECT_EQ(FoldCase("ÉTÉ"), "été");
  EXPECT_EQ(FoldCase("\xE2\x84\xAA"), "k");  // Kelvin sign
}

TEST(ListEntriesTest, MasksAndSortsWhatTheFileSystemLists) {
  MemoryFileSystem fs;
  for (const char* name : {"b10.txt", "b9.TXT", "a.txt", "c.doc", "B1.txt", ".hidden.txt"}) {
    fs.AddFile("/f", name);
  }
  fs.AddDirectory("/f", "z.txt");
  Names names = {"stale"};
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kFile, "*.txt", &names).ok());
  EXPECT_EQ(names, (Names{"a.txt", "B1.txt", "b9.TXT", "b10.txt"}));
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kFile, "", &names).ok());
  EXPECT_EQ(names, (Names{"a.txt", "B1.txt", "b9.TXT", "b10.txt", "c.doc"}));
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kDirectory, "", &names).ok());
  EXPECT_EQ(names, (Names{"z.txt"}));
}

TEST(ListEntriesTest, PassesAFailureOnWithNoNames) {
  MemoryFileSystem fs;
  Names names = {"stale"};
  const Status status = ListEntries(fs, "/missing", EntryKind::kFile, "", &names);
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_EQ(status.message(),
            std::string("cannot open folder '/missing': ") + std::strerror(ENOENT));
  EXPECT_TRUE(names.empty());
}

TEST(ListEntriesTest, OrdersAsNaturalLessDoesOnRandomNames) {
  std::mt19937 random(7);
  MemoryFileSystem fs;
  const std::string pieces[] = {"x", "X", "y", "0", "7", "08", "12", "é", "É", "-", "~"};
  for (int i = 0; i < 2000; ++i) {
    std::string name = "n";
    const int parts = 1 + static_cast<int>(random() % 4);
    for (int p = 0; p < parts; ++p) name += pieces[random() % std::size(pieces)];
    fs.AddFile("/f", name);
  }
  Names names;
  ASSERT_TRUE(ListEntries(fs, "/f", EntryKind::kFile, "", &names).ok());
  EXPECT_EQ(names.size(), fs.AllNames("/f").size());
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), NaturalLess));
}

}  // namespace
}  // namespace kestro
