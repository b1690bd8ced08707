#include "platform/folder_path.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

// The common forms are checked through AbsoluteFolder of every file system; here, the corners.
TEST(NormalSlashPathTest, NeverAboveTheRootAndDotsInsideNamesAreNames) {
  const char* const cases[][3] = {
      {"/w", "/a/b/../..", "/"},
      {"/w", "/../..", "/"},
      {"/w", "a/../../..", "/"},
      {"/w/x", "../a", "/w/a"},
      {"/", "a/b", "/a/b"},
      {"/w", "..a/b..", "/w/..a/b.."},
      {"/w", "a b /c ", "/w/a b /c "},
      {"/w", "//a//./b//", "/a/b"},
  };
  for (const auto& [working, path, expected] : cases) {
    EXPECT_EQ(NormalSlashPath(working, path), expected) << working << " + " << path;
  }
}

}  // namespace
}  // namespace kestro
