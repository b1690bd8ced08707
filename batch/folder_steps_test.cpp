#include "batch/folder_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace kestro {
namespace {

// A Windows share is one root, as a drive is.
TEST(FolderStepsTest, AShareIsOneRoot) {
  MemoryFileSystem fs;
  std::vector<std::string> names;
  for (const char* folder : {"\\\\server\\share\\docs", "C:\\Tools", "\\\\server"}) {
    for (const FolderStep& step : FolderSteps(fs, folder)) names.push_back(step.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"\\\\server\\share", "docs", "C:\\", "Tools"}));
}

}  // namespace
}  // namespace kestro
