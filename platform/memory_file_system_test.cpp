#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system_conformance_test.h"

namespace kestro {
namespace {

using Names = std::vector<std::string>;

class MemoryWorld {
 public:
  static constexpr char kSeparator = '/';
  FileSystem& fs() { return fs_; }
  std::string NewFolder() {
    const std::string folder = "/tmp/world" + std::to_string(++folders_);
    fs_.AddFolder(folder);
    return folder;
  }
  void AddFile(const std::string& folder, const std::string& name, const std::string& content) {
    fs_.AddFile(folder, name, content);
  }
  void AddDirectory(const std::string& folder, const std::string& name) {
    fs_.AddDirectory(folder, name);
  }
  Names AllNames(const std::string& folder) { return fs_.AllNames(folder); }
  std::optional<std::string> Content(const std::string& folder, const std::string& name) {
    return fs_.Content(folder, name);
  }
  void SetWorkingFolder(const std::string& folder) { fs_.SetWorkingFolder(folder); }
  std::string Root() { return "/"; }

 private:
  MemoryFileSystem fs_;
  int folders_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemConformance, ::testing::Types<MemoryWorld>);

}  // namespace
}  // namespace kestro
