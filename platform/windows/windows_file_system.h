// The file system of Windows: listing through FindFirstFileExW with hidden and system entries left
// out, and a rename through MoveFileExW that never replaces anything.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kestro {

// Names are UTF-8 here and UTF-16 at the API. Folders are full paths as AbsoluteFolder gives them
// ("C:\Photos", "C:\"); "/" is taken as a separator too.
class WindowsFileSystem : public FileSystem {
 public:
  Status AbsoluteFolder(std::string_view path, std::string* absolute) override;
  // Entries with FILE_ATTRIBUTE_HIDDEN or FILE_ATTRIBUTE_SYSTEM are left out, as the file list of
  // the design leaves them out; names beginning with "." are listed like any other.
  Status ListNames(const std::string& folder, EntryKind kind,
                   std::vector<std::string>* names) override;
  // Every name, hidden and system entries included.
  Status ListBothKinds(const std::string& folder, std::vector<std::string>* directories,
                       std::vector<std::string>* files) override;
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override;
  // Refuses, before touching anything, a new name that Windows cannot hold (windows_name_rules.h).
  // A change of letter case alone is made by MoveFileExW; where the file system reports success
  // but keeps the old spelling, or refuses because the new name finds the entry itself, the entry
  // is moved in two no-replace steps through a free temporary name.
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override;
  // A run only remembers whether its folder keeps the old spelling on a change of case alone, so
  // that each such change after the first is made through a temporary name at once.
  void BeginRenames(const std::string& folder) override;
  void EndRenames() override;
  [[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name) const override;
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override;
  [[nodiscard]] bool NamesIgnoreCase() const override { return true; }
  [[nodiscard]] Status CheckPlatformName(std::string_view name) const override;
  // Only the hidden attribute hides an entry; a name beginning with "." is listed.
  [[nodiscard]] bool HiddenByName(std::string_view) const override { return false; }
  // The volume's longest name (GetVolumeInformationW), in UTF-16 code units.
  std::size_t NameLimit(const std::string& folder) override;
  [[nodiscard]] Status CheckNameLength(std::string_view name, std::size_t limit) const override;
  // The last write time in the local time zone.
  Status ModifiedTime(const std::string& folder, const std::string& name,
                      DateTime* when) const override;
  // Opens the file once and maps it: only the pages the metadata lies in are read.
  Status DateTaken(const std::string& folder, const std::string& name,
                   DateTime* when) const override;

 private:
  Status MoveThroughTemporary(const std::wstring& folder, const std::wstring& from,
                              const std::wstring& to_name);

  unsigned long temporary_count_ = 0;
  std::optional<std::string> run_folder_;  // between BeginRenames and EndRenames
  bool case_kept_back_ = false;            // run_folder_ kept the old spelling on a case change
  // The folder NameLimit was last asked for, and its answer: a batch asks once per rename.
  std::string limit_folder_;
  std::size_t limit_ = 0;
};

}  // namespace kestro
