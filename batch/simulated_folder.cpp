// SimulatedFolder, ReadFolderNames and DryRunFileSystem.
#include "batch/simulated_folder.h"

#include <iterator>
#include <utility>

#include "platform/name_rules.h"

namespace kestro {
namespace {

// Where the copy keeps the folder's names: a plain absolute path in the in-memory file system's
// own form, whatever the real folder's path looks like on this platform.
constexpr char kCopy[] = "/folder";

}  // namespace

Status ReadFolderNames(FileSystem& fs, const std::string& folder, FolderNames* names) {
  names->folder = folder;
  names->complete = true;
  names->case_insensitive = fs.NamesIgnoreCase();
  Status status = fs.ListAllNames(folder, &names->names);
  if (status.code() != Status::Code::kNotSupported) return status;
  names->complete = false;
  std::vector<std::string> directories;
  status = fs.ListNames(folder, EntryKind::kFile, &names->names);
  if (status.ok()) status = fs.ListNames(folder, EntryKind::kDirectory, &directories);
  if (!status.ok()) {
    names->names.clear();
    return status;
  }
  names->names.insert(names->names.end(), std::make_move_iterator(directories.begin()),
                      std::make_move_iterator(directories.end()));
  return Status::Ok();
}

SimulatedFolder::SimulatedFolder(const FileSystem& platform, const FolderNames& names)
    : platform_(platform) {
  memory_.SetCaseInsensitive(names.case_insensitive);
  memory_.AddFolder(kCopy);
  for (const std::string& name : names.names) memory_.AddFile(kCopy, name);
}

Status SimulatedFolder::Rename(const std::string& old_name, const std::string& new_name) {
  // The real platform refuses these names, in this order, before it looks for a taken one; its
  // separators are its own.
  if (Status refusal = CheckNewName(platform_, new_name); !refusal.ok()) return refusal;
  if (Status refusal = CheckOldName(platform_, old_name); !refusal.ok()) return refusal;
  if (Status refusal = platform_.CheckPlatformName(new_name); !refusal.ok()) return refusal;
  return memory_.RenameNoReplace(kCopy, old_name, new_name);
}

Status DryRunFileSystem::RenameNoReplace(const std::string& folder, const std::string& old_name,
                                         const std::string& new_name) {
  auto it = copies_.find(folder);
  if (it == copies_.end()) {
    FolderNames names;
    if (Status read = ReadFolderNames(real_, folder, &names); !read.ok()) return read;
    it = copies_.emplace(folder, std::make_unique<SimulatedFolder>(real_, names)).first;
  }
  return it->second->Rename(old_name, new_name);
}

}  // namespace kestro
