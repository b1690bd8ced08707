#include "batch/status_line.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using About = StatusLine::About;

TEST(StatusLineTest, APathErrorGoesOnceAFolderOpensAnEventStays) {
  StatusLine line;
  line.Show("'/x' cannot be opened: no such folder.", About::kPath);
  EXPECT_FALSE(line.ListChanged(true, "/a", "1 of 2 selected"));
  EXPECT_TRUE(line.FolderOpened());
  EXPECT_EQ(line.text(), "");
  EXPECT_FALSE(line.FolderOpened());  // nothing left to clear

  line.Show("Renamed 2 of 2 entries.", About::kEvent);
  EXPECT_FALSE(line.FolderOpened());
  EXPECT_FALSE(line.ListChanged(true, "/b", "0 of 5 selected"));
  EXPECT_EQ(line.text(), "Renamed 2 of 2 entries.");
}

TEST(StatusLineTest, ACountFollowsItsListAndGoesWithItsFolder) {
  struct Case {
    bool directories;
    const char* folder;
    const char* count;
    bool changed;
    const char* then;
  };
  const Case cases[] = {
      {false, "/p", "0 of 9 selected", false, "2 of 200 selected"},   // the other list
      {true, "/p", "2 of 199 selected", true, "2 of 199 selected"},   // re-read
      {true, "/p", "2 of 200 selected", false, "2 of 200 selected"},  // as it was
      {true, "/q", "1 of 3 selected", true, ""},                      // another folder
  };
  for (const Case& c : cases) {
    StatusLine line;
    line.Show("2 of 200 selected", About::kSelection, true, "/p");
    EXPECT_EQ(line.ListChanged(c.directories, c.folder, c.count), c.changed)
        << c.folder << " " << c.count;
    EXPECT_EQ(line.text(), c.then) << c.folder << " " << c.count;
  }
  StatusLine line;
  line.Show("2 of 200 selected", About::kSelection, true, "/p");
  EXPECT_FALSE(line.FolderOpened());  // a count is not about a path
}

}  // namespace
}  // namespace kestro
