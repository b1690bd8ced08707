#include "batch/simulated_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/native_file_system.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

// A dry run on a real folder answers each rename as the real rename then does, reason and all.
TEST(DryRunFileSystemTest, RefusesWhatTheRealFolderRefusesForTheSameReason) {
  const stdfs::path dir = stdfs::temp_directory_path() / "kestro-dry-run-test";
  stdfs::remove_all(dir);
  stdfs::create_directories(dir);
  for (const char* name : {"a", "c"}) std::ofstream(dir / name) << name;
  const std::unique_ptr<FileSystem> real = NewNativeFileSystem();
  std::string folder;
  ASSERT_TRUE(real->AbsoluteFolder(dir.string(), &folder).ok());
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
  EXPECT_TRUE(stdfs::exists(dir / "b"));
  stdfs::remove_all(dir);
}

}  // namespace
}  // namespace kestro
