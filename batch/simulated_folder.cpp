// SimulatedFolder, ReadFolderNames and DryRunFileSystem.
#include "batch/simulated_folder.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>

#include "platform/errno_status.h"
#include "platform/listing.h"
#include "platform/name_rules.h"

namespace kestro {

Status ReadFolderNames(FileSystem& fs, const std::string& folder, FolderNames* names) {
  names->folder = folder;
  names->complete = true;
  names->case_insensitive = fs.NamesIgnoreCase();
  names->name_limit = fs.NameLimit(folder);
  names->dates = std::make_shared<FolderDates>(fs, folder);
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
    : platform_(platform),
      case_insensitive_(names.case_insensitive),
      name_limit_(names.name_limit) {
  names_.reserve(names.names.size());
  if (case_insensitive_) folded_.reserve(names.names.size());
  for (const std::string& name : names.names) Put(name);
}

const std::string_view* SimulatedFolder::Find(std::string_view name) const {
  if (auto it = names_.find(name); it != names_.end()) return &*it;
  if (!case_insensitive_) return nullptr;
  auto it = folded_.find(FoldCase(name));
  return it == folded_.end() ? nullptr : &it->second;
}

std::string_view SimulatedFolder::Hold(std::string_view name) {
  constexpr std::size_t kBlock = 64 * 1024;
  if (held_.empty() || held_.back().capacity() - held_.back().size() < name.size()) {
    held_.emplace_back().reserve(std::max(kBlock, name.size()));
  }
  std::string& block = held_.back();
  const std::size_t at = block.size();
  block.append(name);  // within its capacity: the block's earlier names stay where they are
  return std::string_view(block).substr(at);
}

void SimulatedFolder::Put(std::string_view name) {
  names_.insert(name);
  if (case_insensitive_) folded_.emplace(FoldCase(name), name);
}

Status SimulatedFolder::Rename(const std::string& old_name, const std::string& new_name) {
  // The real platform refuses these names, in this order, before it looks for a taken one; its
  // separators are its own.
  if (Status refusal = CheckNewName(platform_, new_name); !refusal.ok()) return refusal;
  if (Status refusal = CheckOldName(platform_, old_name); !refusal.ok()) return refusal;
  if (Status refusal = platform_.CheckPlatformName(new_name); !refusal.ok()) return refusal;
  const std::string_view* present = Find(old_name);
  if (present == nullptr) return StatusFromErrno(ENOENT);
  if (old_name == new_name) return Status::Ok();
  if (Status refusal = platform_.CheckNameLength(new_name, name_limit_); !refusal.ok()) {
    return refusal;
  }
  if (const std::string_view* taken = Find(new_name); taken != nullptr && *taken != *present) {
    return Status::Error(Status::Code::kAlreadyExists, kNameExists);
  }
  const std::string_view source = *present;  // its bytes stay where they are
  const std::string_view held = Hold(new_name);
  if (case_insensitive_) {
    folded_.erase(FoldCase(source));
    folded_.emplace(FoldCase(held), held);
  }
  // The set's node for the old name takes the new one: nothing allocated per rename.
  auto node = names_.extract(source);
  node.value() = held;
  names_.insert(std::move(node));
  return Status::Ok();
}

Status DryRunFileSystem::RenameNoReplace(const std::string& folder, const std::string& old_name,
                                         const std::string& new_name) {
  auto it = copies_.find(folder);
  if (it == copies_.end()) {
    auto copy = std::make_unique<Copy>();
    if (Status read = ReadFolderNames(real_, folder, &copy->names); !read.ok()) return read;
    copy->folder = std::make_unique<SimulatedFolder>(real_, copy->names);
    it = copies_.emplace(folder, std::move(copy)).first;
  }
  return it->second->folder->Rename(old_name, new_name);
}

}  // namespace kestro
