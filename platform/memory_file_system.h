// A file system held in memory: for tests (with fault injection and a record of every rename
// asked for) and for the outcome preview, which runs a batch against a copy of a folder's names.
// Folders are absolute paths with "/" as separator; names beginning with "." are hidden.
// It refuses, and words its refusals, exactly as the POSIX file system does.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
  // The modification time ModifiedTime gives the entry (1 January 2000, midnight, unless set).
  void SetModifiedTime(const std::string& folder, const std::string& name, DateTime when);
  // The folder that relative paths given to AbsoluteFolder start from; "/" unless set.
  void SetWorkingFolder(const std::string& folder);

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
  // Listing `folder` fails as for a folder that can be entered but not read (mode 0333).
  void MakeUnreadable(const std::string& folder);
  // Called before every rename (for example to sleep, so a batch runs slowly).
  void SetBeforeRename(std::function<void()> hook);
  // Treats names that differ only in letter case as the same entry (like NTFS or vfat): a lookup
  // finds an entry whatever the case it is asked in, and a change of case alone renames it.
  void SetCaseInsensitive(bool on);

  [[nodiscard]] const std::vector<RenameCall>& rename_calls() const { return calls_; }
  // How many times `folder` was read (ListNames, ListBothKinds, ListAllNames).
  [[nodiscard]] int readings(const std::string& folder) const {
    const auto found = readings_.find(folder);
    return found == readings_.end() ? 0 : found->second;
  }

  // FileSystem
  Status AbsoluteFolder(std::string_view path, std::string* absolute) override;
  Status ListNames(const std::string& folder, EntryKind kind,
                   std::vector<std::string>* names) override;
  Status ListBothKinds(const std::string& folder, std::vector<std::string>* directories,
                       std::vector<std::string>* files) override;
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override;
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override;
  [[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name) const override;
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override;
  // Names of up to 255 bytes, as on most Linux file systems; longer ones are refused as there.
  std::size_t NameLimit(const std::string& folder) override;
  [[nodiscard]] Status CheckNameLength(std::string_view name, std::size_t limit) const override;
  Status ModifiedTime(const std::string& folder, const std::string& name,
                      DateTime* when) const override;
  // Read from the file's content, as the real file systems read it from the file.
  Status DateTaken(const std::string& folder, const std::string& name,
                   DateTime* when) const override;

 private:
  struct Entry {
    EntryKind kind = EntryKind::kFile;
    std::string content;
    DateTime modified{{2000, 1, 1}, 0, 0, 0};
  };
  // The entry `name` names in `folder`, or null.
  [[nodiscard]] const Entry* FindEntry(const std::string& folder, const std::string& name) const;
  struct Folder {
    std::map<std::string, Entry> entries;
    // Case-insensitive mode only: the folded name of every entry, to its name.
    std::unordered_map<std::string, std::string> folded;
  };
  using Key = std::pair<std::string, std::string>;

  Folder* FindFolder(const std::string& path);
  [[nodiscard]] const Folder* FindFolder(const std::string& path) const;
  // 0 when `path` (absolute, plain) is a folder; else the errno value stat would give.
  [[nodiscard]] int FolderError(const std::string& path) const;
  // The entry `name` names in `folder`, in case-insensitive mode whatever its case; or null.
  [[nodiscard]] const std::string* FindName(const Folder& folder, const std::string& name) const;
  void PutEntry(Folder& folder, const std::string& name, Entry entry);
  void RemoveEntry(const std::string& path, Folder& folder, const std::string& name);
  void MoveSubtree(const std::string& from, const std::string& to);
  Status Rename(const std::string& folder, const std::string& old_name,
                const std::string& new_name);

  std::map<std::string, Folder> folders_ = {{"/", Folder{}}};
  std::string working_folder_ = "/";
  std::map<Key, Status> failures_;
  std::set<Key> vanish_;
  std::set<std::string> unreadable_;
  std::function<void()> before_rename_;
  bool case_insensitive_ = false;
  std::vector<RenameCall> calls_;
  std::map<std::string, int> readings_;
};

}  // namespace kestro
