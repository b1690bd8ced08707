// Test support for the tests of the real file systems: fresh folders under the system's temporary
// folder, made and read through the C++ library rather than the file system under test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace kestro {

// `name` in `folder` (both UTF-8), or `folder` alone.
inline std::filesystem::path TestPath(const std::string& folder, const std::string& name = "") {
  const std::filesystem::path path(std::u8string(folder.begin(), folder.end()));
  return name.empty() ? path : path / std::u8string(name.begin(), name.end());
}

inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Folders under a fresh kestro-<n> folder, removed with everything in them at the end; the working
// folder is put back too.
class TempTree {
 public:
  explicit TempTree(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::random_device random;
    do {
      root_ = base / ("kestro-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(root_));
  }
  ~TempTree() {
    std::error_code ignored;
    std::filesystem::current_path(saved_working_, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  std::string NewFolder() {
    const std::filesystem::path folder = root_ / ("world" + std::to_string(++folders_));
    EXPECT_TRUE(std::filesystem::create_directory(folder));
    return Utf8Of(folder);
  }
  static void AddFile(const std::string& folder, const std::string& name,
                      const std::string& content) {
    ASSERT_TRUE(std::ofstream(TestPath(folder, name), std::ios::binary) << content) << name;
  }
  static void AddDirectory(const std::string& folder, const std::string& name) {
    ASSERT_TRUE(std::filesystem::create_directory(TestPath(folder, name))) << name;
  }
  // Every name in `folder`, hidden ones included, in byte order; none where it cannot be read.
  static std::vector<std::string> AllNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(TestPath(folder), error)) {
      names.push_back(Utf8Of(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // The content of a regular file; none for anything else, a link included.
  static std::optional<std::string> Content(const std::string& folder, const std::string& name) {
    const std::filesystem::path path = TestPath(folder, name);
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path))) {
      return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  static void SetWorkingFolder(const std::string& folder) {
    std::filesystem::current_path(TestPath(folder));
  }

 protected:
  std::filesystem::path root_;

 private:
  const std::filesystem::path saved_working_ = std::filesystem::current_path();
  int folders_ = 0;
};

}  // namespace kestro
