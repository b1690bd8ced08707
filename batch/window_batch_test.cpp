#include "batch/window_batch.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/memory_file_system.h"

namespace kestro {
namespace {

// A page on a folder that is gone goes up by the path's text: "gone/.." names nothing to the
// system, so it cannot be asked for the parent.
TEST(FolderAfterBatchTest, AGoneFolderLeadsToTheNearestFolderAboveThatIsThere) {
  MemoryFileSystem fs;
  fs.AddFolder("/home/u/kept");
  BatchReport report;
  report.ran = true;
  const struct {
    const char* was;
    const char* there;
  } cases[] = {
      {"/home/u/gone", "/home/u"},
      {"/home/u/gone/deeper/still", "/home/u"},
      {"/gone", "/"},
      {"/home/u/kept", ""},  // there: the page stays
  };
  for (const auto& c : cases) {
    std::string note;
    EXPECT_EQ(FolderAfterBatch(fs, c.was, report, false, &note), c.there) << c.was;
    EXPECT_EQ(note.empty(), *c.there == '\0') << c.was;
  }
}

}  // namespace
}  // namespace kestro
