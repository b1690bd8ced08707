#include "batch/simulated_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/native_file_system.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

// A dry run on a real folder answers each rename as the real rename then does, reason and all.
TEST(DryRunFileSystemTest, RefusesWhatTheRealFolderRefusesForTheSameReason) {
  TempTree temp;
  const std::string dir = temp.NewFolder();
  for (const char* name : {"a", "c"}) temp.AddFile(dir, name, name);
  const std::unique_ptr<FileSystem> real = NewNativeFileSystem();
  std::string folder;
  ASSERT_TRUE(real->AbsoluteFolder(dir, &folder).ok());
  DryRunFileSystem dry(*real);

  const std::pair<std::string, std::string> renames[] = {
      {"a", std::string(256, 'n')},  // one past the longest name the folder holds
      {"a", "c"},
      {"a", std::string(255, 'n')},
      {std::string(255, 'n'), "b"},
  };
  for (const auto& [from, to] : renames) {
    SCOPED_TRACE(from.substr(0, 8) + " -> " + to.substr(0, 8));
    const Status simulated = dry.RenameNoReplace(folder, from, to);
    const Status done = real->RenameNoReplace(folder, from, to);
    EXPECT_EQ(simulated.code(), done.code());
    EXPECT_EQ(simulated.message(), done.message());
  }
  EXPECT_EQ(temp.Content(dir, "b"), "a");
}

}  // namespace
}  // namespace kestro
