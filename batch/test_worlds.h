// Test support: a real temporary folder of the platform's own file system to rename in, with a
// sibling folder that must stay untouched. What such a folder can hold differs between systems
// (NTFS folds letter case, hides by attribute and keeps names in UTF-16), so the world finds out by
// trying, and tests leave out what it cannot hold.
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
#include <string>
#include <system_error>
#include <vector>

#include "platform/native_file_system.h"

namespace kestro {

class DiskWorld {
 public:
  DiskWorld() {
    std::random_device random;
    for (int attempt = 0; root_.empty() && attempt < 100; ++attempt) {
      const auto candidate = TemporaryBase() / ("kestro-batch-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) root_ = NameOf(candidate);
    }
    // Without a folder of its own the world must not go on: its paths would lead elsewhere.
    if (root_.empty()) std::abort();
    std::filesystem::create_directory(PathOf(folder()));
    std::filesystem::create_directory(PathOf(sibling()));
  }
  ~DiskWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(PathOf(root_), ignored);
  }
  DiskWorld(const DiskWorld&) = delete;
  DiskWorld& operator=(const DiskWorld&) = delete;

  FileSystem& fs() { return *fs_; }
  [[nodiscard]] std::string folder() const { return root_ + "/folder"; }
  [[nodiscard]] std::string sibling() const { return root_ + "/sibling"; }

  // Whether the file system leaves a name beginning with "." out of its listings.
  static bool HidesLeadingDot() {
    static const bool hides = [] {
      DiskWorld world;
      world.AddFileIn(world.folder(), ".probe", "");
      std::vector<std::string> listed;
      return world.fs().ListNames(world.folder(), EntryKind::kFile, &listed).ok() && listed.empty();
    }();
    return hides;
  }

  // TMPDIR when it is set; else /dev/shm where the system has one, since a tmpfs keeps hundreds
  // of random folders fast; else the system's temporary folder.
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

  static void AddFileIn(const std::string& folder, const std::string& name,
                        const std::string& content) {
    std::ofstream(PathOf(folder + "/" + name), std::ios::binary) << content;
  }
  // A directory holds a file "tag" whose content identifies it.
  void AddDirectory(const std::string& name, const std::string& tag) {
    std::filesystem::create_directory(PathOf(folder() + "/" + name));
    AddFileIn(folder() + "/" + name, "tag", tag);
  }
  // Whether `folder` has an entry `name` answers to, in whatever spelling the system matches.
  [[nodiscard]] bool HoldsIn(const std::string& folder, const std::string& name) const {
    try {
      std::error_code error;
      return std::filesystem::exists(PathOf(folder + "/" + name), error);
    } catch (const std::exception&) {
      return false;  // a name the system cannot spell is held by none
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
    }
    std::filesystem::remove_all(PathOf(probe), error);
    return held;
  }
  // Every name in `folder`, hidden ones included, in byte order.
  [[nodiscard]] static std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder)))
      names.push_back(NameOf(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
  // The content of a file, or the tag of a directory.
  [[nodiscard]] static std::optional<std::string> ContentIn(const std::string& folder,
                                                            const std::string& name) {
    std::filesystem::path path = PathOf(folder + "/" + name);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) path /= "tag";
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::unique_ptr<FileSystem> fs_ = NewNativeFileSystem();
  std::string root_;
};

}  // namespace kestro
