#include "platform/folder_path.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(NormalSlashPathTest, Table) {
  struct Case {
    const char* working;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"/w", "/a/b", "/a/b"},
      {"/w", "/a/b/", "/a/b"},
      {"/w", "//a//b//", "/a/b"},
      {"/w", "/a/./b/.", "/a/b"},
      {"/w", "/a/../b", "/b"},
      {"/w", "/a/b/../..", "/"},
      {"/w", "/../..", "/"},
      {"/w", "/", "/"},
      {"/w", "a", "/w/a"},
      {"/w/x", "../a", "/w/a"},
      {"/w", ".", "/w"},
      {"/w", "./", "/w"},
      {"/", "a/b", "/a/b"},
      {"/w", "a/../../..", "/"},
      {"/w", "..a/b..", "/w/..a/b.."},  // dots inside names are names
      {"/w", "a b /c ", "/w/a b /c "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormalSlashPath(c.working, c.path), c.expected) << c.working << " + " << c.path;
  }
}

TEST(JoinSlashPathTest, AddsOneSeparatorOnly) {
  EXPECT_EQ(JoinSlashPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinSlashPath("/", "b"), "/b");
  EXPECT_EQ(JoinSlashPath("/a/", "b c"), "/a/b c");
}

}  // namespace
}  // namespace kestro
