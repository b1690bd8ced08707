// Test support: one folder to rename in, on the in-memory file system or in a real temporary
// folder, behind the same small interface so the batch tests run unchanged against both.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/native_file_system.h"

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
  // What a folder of this world can hold and hide (see DiskWorld).
  static bool HoldsCaseTwins() { return true; }
  static bool HidesLeadingDot() { return true; }
  static bool HoldsNamesNotUtf8() { return true; }
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

// A real temporary folder of the platform's own file system. What such a folder can hold differs
// between systems (NTFS folds letter case, hides by attribute and keeps names in UTF-16), so the
// world finds out once per run by trying, and tests that need more than it can hold step aside.
class DiskWorld {
 public:
  DiskWorld() {
    std::random_device random;
    const std::filesystem::path base = TemporaryBase();
    for (int attempt = 0; root_.empty() && attempt < 100; ++attempt) {
      const std::filesystem::path candidate = base / ("kestro-batch-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) root_ = NameOf(candidate);
    }
    // Without a folder of its own the world must not go on: its paths would lead elsewhere.
    if (root_.empty()) std::abort();
    folder_ = root_ + "/folder";
    std::filesystem::create_directory(PathOf(folder_));
    std::filesystem::create_directory(PathOf(sibling()));
  }
  ~DiskWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(PathOf(root_), ignored);
  }
  DiskWorld(const DiskWorld&) = delete;
  DiskWorld& operator=(const DiskWorld&) = delete;

  FileSystem& fs() { return *fs_; }
  [[nodiscard]] const std::string& folder() const { return folder_; }
  [[nodiscard]] std::string sibling() const { return root_ + "/sibling"; }

  // Whether one folder holds "a" and "A" as two entries.
  static bool HoldsCaseTwins() { return Traits().holds_case_twins; }
  // Whether the file system leaves a name beginning with "." out of its listings.
  static bool HidesLeadingDot() { return Traits().hides_leading_dot; }
  // Whether a name that is not valid UTF-8 can be made and listed back byte for byte.
  static bool HoldsNamesNotUtf8() { return Traits().holds_names_not_utf8; }

  // TMPDIR when it is set; else /dev/shm where the system has one, since a tmpfs keeps hundreds
  // of random folders fast; else the system's temporary folder. "/dev/shm" is not even an
  // absolute path where paths begin with a drive.
  static std::filesystem::path TemporaryBase() {
    const std::filesystem::path shm = "/dev/shm";
    std::error_code error;
    if (std::getenv("TMPDIR") == nullptr && shm.is_absolute() &&
        std::filesystem::is_directory(shm, error)) {
      return shm;
    }
    return std::filesystem::temp_directory_path();
  }

  // Names and paths are UTF-8 throughout, as the file systems take them.
  static std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
  }
  static std::string NameOf(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  }

  void AddFile(const std::string& name, const std::string& content = "") {
    AddFileIn(folder_, name, content);
  }
  static void AddFileIn(const std::string& folder, const std::string& name,
                        const std::string& content) {
    std::ofstream(PathOf(folder + "/" + name), std::ios::binary) << content;
  }
  void AddDirectory(const std::string& name, const std::string& tag = "") {
    std::filesystem::create_directory(PathOf(folder_ + "/" + name));
    AddFileIn(folder_ + "/" + name, kDirectoryTag, tag);
  }
  // Whether `folder` has an entry `name` answers to, in whatever spelling the system matches.
  // A name the system cannot spell is held by none.
  [[nodiscard]] bool HoldsIn(const std::string& folder, const std::string& name) const {
    try {
      std::error_code error;
      return std::filesystem::exists(PathOf(folder + "/" + name), error);
    } catch (const std::exception&) {
      return false;
    }
  }
  // Whether a file of exactly this name can be made here and is listed back as it was spelled
  // (Windows, for one, drops the blanks at the end of a name and cannot spell a name that is not
  // UTF-8). Tried in a folder of its own, left empty again.
  [[nodiscard]] bool CanHold(const std::string& name) const {
    const std::string probe = root_ + "/probe";
    std::error_code error;
    std::filesystem::create_directory(PathOf(probe), error);
    bool held = false;
    try {
      AddFileIn(probe, name, "");
      held = NamesIn(probe) == std::vector<std::string>{name};
    } catch (const std::exception&) {
      // The name cannot even be spelled on this system.
    }
    std::filesystem::remove_all(PathOf(probe), error);
    return held;
  }
  [[nodiscard]] std::vector<std::string> Names() const { return NamesIn(folder_); }
  [[nodiscard]] std::vector<std::string> NamesIn(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder))) {
      names.push_back(NameOf(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  [[nodiscard]] std::optional<std::string> Content(const std::string& name) const {
    return ContentIn(folder_, name);
  }
  [[nodiscard]] std::optional<std::string> ContentIn(const std::string& folder,
                                                     const std::string& name) const {
    std::filesystem::path path = PathOf(folder + "/" + name);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) path /= kDirectoryTag;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  struct FolderTraits {
    bool holds_case_twins = false;
    bool hides_leading_dot = false;
    bool holds_names_not_utf8 = false;
  };
  static const FolderTraits& Traits() {
    static const FolderTraits traits = Probe();
    return traits;
  }
  static FolderTraits Probe() {
    FolderTraits traits;
    DiskWorld world;
    world.AddFile("a");
    world.AddFile("A");
    traits.holds_case_twins = world.Names().size() == 2;
    world.AddFile(".probe");
    std::vector<std::string> listed;
    traits.hides_leading_dot =
        world.fs().ListNames(world.folder(), EntryKind::kFile, &listed).ok() &&
        std::find(listed.begin(), listed.end(), ".probe") == listed.end();
    traits.holds_names_not_utf8 = world.CanHold("caf\xe9");
    return traits;
  }

  std::unique_ptr<FileSystem> fs_ = NewNativeFileSystem();
  std::string root_;
  std::string folder_;
};

}  // namespace kestro
