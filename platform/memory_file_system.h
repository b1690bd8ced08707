// A file system held in memory: for tests (with fault injection and a record of every rename
// asked for) and for the outcome preview, which runs a batch against a copy of a folder's names.
// Folders are absolute paths with "/" as separator; names beginning with "." are hidden.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kestro {

class MemoryFileSystem : public FileSystem {
 public:
  struct RenameCall {
    std::string folder;
    std::string old_name;
    std::string new_name;
    Status result;
  };

  // Creates `folder` (and its parents); an existing one is kept.
  void AddFolder(const std::string& folder);
  // Adds an entry to `folder` (created if need be); `content` lets tests check nothing was lost.
  void AddFile(const std::string& folder, const std::string& name, std::string content = "");
  void AddDirectory(const std::string& folder, const std::string& name);

  // Every name in `folder`, hidden ones included, in byte order.
  [[nodiscard]] std::vector<std::string> AllNames(const std::string& folder) const;
  [[nodiscard]] bool Exists(const std::string& folder, const std::string& name) const;
  [[nodiscard]] std::optional<std::string> Content(const std::string& folder,
                                                   const std::string& name) const;

  // Fault injection, keyed by the entry's present name in `folder`.
  void FailRenameOf(const std::string& folder, const std::string& name, Status failure);
  void MarkInUse(const std::string& folder, const std::string& name);  // rename fails kInUse
  // Removes the entry just before the next rename of it, as if another program deleted it.
  void VanishBeforeRename(const std::string& folder, const std::string& name);
  // Called before every rename (for example to sleep, so a batch runs slowly).
  void SetBeforeRename(std::function<void()> hook);
  // Treats names that differ only in letter case as the same entry (like NTFS or vfat).
  void SetCaseInsensitive(bool on);

  [[nodiscard]] const std::vector<RenameCall>& rename_calls() const { return calls_; }

  // FileSystem
  Status AbsoluteFolder(std::string_view path, std::string* absolute) override;
  Status ListNames(const std::string& folder, EntryKind kind,
                   std::vector<std::string>* names) override;
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override;
  [[nodiscard]] std::string JoinPath(std::string_view folder,
                                     std::string_view name) const override;
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override;

 private:
  struct Entry {
    EntryKind kind = EntryKind::kFile;
    std::string content;
  };
  struct Folder {
    std::map<std::string, Entry> entries;
  };
  std::map<std::string, Folder> folders_;
  std::map<std::pair<std::string, std::string>, Status> failures_;
  std::map<std::pair<std::string, std::string>, bool> vanish_;
  std::function<void()> before_rename_;
  bool case_insensitive_ = false;
  std::vector<RenameCall> calls_;
};

}  // namespace kestro
