#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system_conformance_test.h"

namespace kestro {
namespace {

// The in-memory file system is its own world: it adds and reads entries for tests already.
class MemoryWorld : public MemoryFileSystem {
 public:
  static constexpr char kSeparator = '/';
  FileSystem& fs() { return *this; }
  std::string NewFolder() {
    const std::string folder = "/tmp/world" + std::to_string(++folders_);
    AddFolder(folder);
    return folder;
  }
  std::string Root() { return "/"; }

 private:
  int folders_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemConformance, ::testing::Types<MemoryWorld>);

}  // namespace
}  // namespace kestro
