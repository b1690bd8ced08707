// The file system of a POSIX system (Linux): listing through readdir, and a rename that never
// replaces anything, made with renameat2(RENAME_NOREPLACE) or a safe fallback.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kestro {

class PosixFileSystem : public FileSystem {
 public:
  // How a rename is made. kAuto uses renameat2 with RENAME_NOREPLACE and falls back, for one call,
  // when the file system refuses that flag: a file is linked under the new name and then unlinked
  // under the old one (kLinkThenUnlink); a directory, or a file on a file system without hard
  // links, first claims the new name (an empty file made only if the name is free, or an empty
  // directory) and is then renamed onto its own claim (kClaimThenRename; the window that is left
  // is described in the .cpp). The other two force that path, so it can be tested anywhere.
  enum class RenameMethod { kAuto, kLinkThenUnlink, kClaimThenRename };

  explicit PosixFileSystem(RenameMethod method = RenameMethod::kAuto) : method_(method) {}
  ~PosixFileSystem() override;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;

  Status AbsoluteFolder(std::string_view path, std::string* absolute) override;
  Status ListNames(const std::string& folder, EntryKind kind,
                   std::vector<std::string>* names) override;
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override;
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override;
  // Opens `folder` once for the renames that follow; a folder that cannot be opened leaves every
  // rename to open it itself (and report why it cannot).
  void BeginRenames(const std::string& folder) override;
  void EndRenames() override;
  [[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name) const override;
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override;
  // NAME_MAX of the folder's file system, in bytes.
  std::size_t NameLimit(const std::string& folder) override;
  [[nodiscard]] Status CheckNameLength(std::string_view name, std::size_t limit) const override;
  // The modification time in the local time zone.
  Status ModifiedTime(const std::string& folder, const std::string& name,
                      DateTime* when) const override;
  // Opens the file once and reads its first 256 KB; a file whose metadata lies beyond is mapped,
  // so only the pages it lies in are read.
  Status DateTaken(const std::string& folder, const std::string& name,
                   DateTime* when) const override;

  // Called where another program could step in while an entry is renamed: "claimed" (the new name
  // claimed, the entry not yet renamed onto it) and "parked" (the first of the two steps of a
  // change of case made). Tests stage races with it; the program never sets it.
  void SetStepHookForTesting(std::function<void(std::string_view step)> hook) {
    step_hook_ = std::move(hook);
  }

 protected:
  // Whether `new_name`, taken, is the entry `old_name` itself (a change of letter case on a file
  // system that folds case) rather than another entry: then the change is made in two steps
  // through a free name. Virtual so tests can take those steps on a case-sensitive disk.
  virtual bool NewNameFindsTheEntry(int dir_fd, const std::string& old_name,
                                    const std::string& new_name) const;

 private:
  // Each returns 0 or the errno value of the step that failed; `dir_fd` is the open folder.
  int MoveNoReplace(int dir_fd, const char* from, const char* to) const;
  int MoveByLink(int dir_fd, const char* from, const char* to) const;
  int MoveOntoClaim(int dir_fd, const char* from, const char* to) const;
  void Step(std::string_view step) const {
    if (step_hook_) step_hook_(step);
  }
  Status MoveThroughTemporary(int dir_fd, const std::string& from, const std::string& to);

  RenameMethod method_;
  std::string run_folder_;
  int run_fd_ = -1;
  unsigned long temporary_count_ = 0;
  std::function<void(std::string_view)> step_hook_;
};

}  // namespace kestro
