// Test support: one folder to rename in, on the in-memory file system or in a real temporary
// folder, behind the same small interface so the batch tests run unchanged against both.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {

// Each directory added holds a file of this name whose content identifies it, so a test can tell
// that a directory came through a rename whole.
inline constexpr char kDirectoryTag[] = "tag";

class MemoryWorld {
 public:
  MemoryWorld() {
    memory_.AddFolder(folder_);
    memory_.AddFolder(sibling());
  }
  FileSystem& fs() { return memory_; }
  MemoryFileSystem& memory() { return memory_; }
  [[nodiscard]] const std::string& folder() const { return folder_; }
  // A second folder beside the first, for what must stay untouched.
  [[nodiscard]] std::string sibling() const { return "/work/sibling"; }

  void AddFile(const std::string& name, const std::string& content = "") {
    AddFileIn(folder_, name, content);
  }
  void AddFileIn(const std::string& folder, const std::string& name, const std::string& content) {
    memory_.AddFile(folder, name, content);
  }
  void AddDirectory(const std::string& name, const std::string& tag = "") {
    memory_.AddDirectory(folder_, name);
    memory_.AddFile(folder_ + "/" + name, kDirectoryTag, tag);
  }
  // Every name in the folder, hidden ones included, in byte order.
  [[nodiscard]] std::vector<std::string> Names() const { return NamesIn(folder_); }
  [[nodiscard]] std::vector<std::string> NamesIn(const std::string& folder) const {
    return memory_.AllNames(folder);
  }
  // The content of a file, or the tag of a directory.
  [[nodiscard]] std::optional<std::string> Content(const std::string& name) const {
    return ContentIn(folder_, name);
  }
  [[nodiscard]] std::optional<std::string> ContentIn(const std::string& folder,
                                                     const std::string& name) const {
    if (auto tag = memory_.Content(folder + "/" + name, kDirectoryTag)) return tag;
    return memory_.Content(folder, name);
  }

 private:
  MemoryFileSystem memory_;
  std::string folder_ = "/work/folder";
};

class DiskWorld {
 public:
  DiskWorld() {
    std::string pattern = (TemporaryBase() / "kestro-batch-XXXXXX").string();
    // Without a folder of its own the world must not go on: its paths would lead elsewhere.
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    folder_ = root_ + "/folder";
    std::filesystem::create_directory(folder_);
    std::filesystem::create_directory(sibling());
  }
  ~DiskWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  DiskWorld(const DiskWorld&) = delete;
  DiskWorld& operator=(const DiskWorld&) = delete;

  FileSystem& fs() { return posix_; }
  [[nodiscard]] const std::string& folder() const { return folder_; }
  [[nodiscard]] std::string sibling() const { return root_ + "/sibling"; }

  // TMPDIR when it is set; else /dev/shm where there is one, since a tmpfs keeps hundreds of
  // random folders fast; else the system's temporary folder.
  static std::filesystem::path TemporaryBase() {
    std::error_code error;
    if (getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", error)) {
      return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
  }

  void AddFile(const std::string& name, const std::string& content = "") {
    AddFileIn(folder_, name, content);
  }
  void AddFileIn(const std::string& folder, const std::string& name, const std::string& content) {
    std::ofstream(folder + "/" + name, std::ios::binary) << content;
  }
  void AddDirectory(const std::string& name, const std::string& tag = "") {
    std::filesystem::create_directory(folder_ + "/" + name);
    AddFileIn(folder_ + "/" + name, kDirectoryTag, tag);
  }
  [[nodiscard]] std::vector<std::string> Names() const { return NamesIn(folder_); }
  [[nodiscard]] std::vector<std::string> NamesIn(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  [[nodiscard]] std::optional<std::string> Content(const std::string& name) const {
    return ContentIn(folder_, name);
  }
  [[nodiscard]] std::optional<std::string> ContentIn(const std::string& folder,
                                                     const std::string& name) const {
    std::filesystem::path path = std::filesystem::path(folder) / name;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) path /= kDirectoryTag;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  PosixFileSystem posix_;
  std::string root_;
  std::string folder_;
};

}  // namespace kestro
