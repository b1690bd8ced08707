// A folder's names copied into memory, where renames are made as the real folder would make or
// refuse them and nothing on disk is touched: what the outcome preview and a dry run are made of.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "batch/folder_dates.h"
#include "platform/file_system.h"

namespace kestro {

// The present names of one folder, as a rename inside it would meet them.
struct FolderNames {
  std::string folder;
  std::vector<std::string> names;
  // False when the file system could only list visible files and directories: a new name taken
  // by a hidden entry or an entry of another kind then shows as free.
  bool complete = true;
  // The folder's file system takes names that differ only in letter case for one (NTFS, vfat):
  // the copy then does too.
  bool case_insensitive = false;
  // The longest name the folder holds (FileSystem::NameLimit); 0 when not known.
  std::size_t name_limit = 0;
  // The dates of the folder's entries, read when first asked for and kept with these names; set
  // by ReadFolderNames. None: the entries have no dates (each reports why).
  std::shared_ptr<FolderDates> dates = nullptr;
};

// Every name in `folder` (FileSystem::ListAllNames); where the file system cannot give them, the
// visible files and directories, with `complete` false.
Status ReadFolderNames(FileSystem& fs, const std::string& folder, FolderNames* names);

// The names of one folder in hash tables: a preview of 100,000 renames looks each name up in
// constant time. Lookups and renames follow MemoryFileSystem's within one folder, so the copy
// answers as the in-memory file system of the tests does.
class SimulatedFolder {
 public:
  // `platform` is the real file system, whose name rules a new name must keep. The folder's
  // names are looked up where `names` holds them, not copied: it must outlive the copy.
  SimulatedFolder(const FileSystem& platform, const FolderNames& names);
  // Renames in the copy: refused as the real folder would refuse it, with the same reasons.
  Status Rename(const std::string& old_name, const std::string& new_name);

 private:
  // The entry `name` names, in a case-insensitive folder whatever its case; or null.
  [[nodiscard]] const std::string_view* Find(std::string_view name) const;
  void Put(std::string_view name);
  // `name` copied to where the copy keeps the names renames gave, which never move.
  std::string_view Hold(std::string_view name);

  const FileSystem& platform_;
  bool case_insensitive_;
  std::size_t name_limit_;
  std::unordered_set<std::string_view> names_;
  // Case-insensitive folders only: the folded name of every entry, to its name.
  std::unordered_map<std::string, std::string_view> folded_;
  // Blocks of the names renames gave, each filled only within its capacity, so its bytes never
  // move (the blocks are on the heap whatever the vector does).
  std::vector<std::string> held_;
};

// The real file system for finding and listing folders; every rename is made in a copy of its
// folder (read when the first rename there is asked for), so a whole batch can run without
// changing anything.
class DryRunFileSystem : public FileSystem {
 public:
  explicit DryRunFileSystem(FileSystem& real) : real_(real) {}

  Status AbsoluteFolder(std::string_view path, std::string* absolute) override {
    return real_.AbsoluteFolder(path, absolute);
  }
  Status ListNames(const std::string& folder, EntryKind kind,
                   std::vector<std::string>* names) override {
    return real_.ListNames(folder, kind, names);
  }
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override {
    return real_.ListAllNames(folder, names);
  }
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override;
  [[nodiscard]] std::string JoinPath(std::string_view folder,
                                     std::string_view name) const override {
    return real_.JoinPath(folder, name);
  }
  [[nodiscard]] bool NamesIgnoreCase() const override { return real_.NamesIgnoreCase(); }
  [[nodiscard]] Status CheckPlatformName(std::string_view name) const override {
    return real_.CheckPlatformName(name);
  }
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override {
    return real_.HoldsSeparator(name);
  }
  [[nodiscard]] bool HiddenByName(std::string_view name) const override {
    return real_.HiddenByName(name);
  }
  std::size_t NameLimit(const std::string& folder) override { return real_.NameLimit(folder); }
  [[nodiscard]] Status CheckNameLength(std::string_view name, std::size_t limit) const override {
    return real_.CheckNameLength(name, limit);
  }
  // A batch reads every date before its first rename, so the real entries answer.
  Status ModifiedTime(const std::string& folder, const std::string& name,
                      DateTime* when) const override {
    return real_.ModifiedTime(folder, name, when);
  }
  Status DateTaken(const std::string& folder, const std::string& name,
                   DateTime* when) const override {
    return real_.DateTaken(folder, name, when);
  }

 private:
  // A folder's names and the copy made of them.
  struct Copy {
    FolderNames names;
    std::unique_ptr<SimulatedFolder> folder;
  };

  FileSystem& real_;
  std::map<std::string, std::unique_ptr<Copy>> copies_;
};

}  // namespace kestro
