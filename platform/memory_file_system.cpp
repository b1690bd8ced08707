#include "platform/memory_file_system.h"

#include <algorithm>
#include <cerrno>

#include "platform/date_taken.h"
#include "platform/errno_status.h"
#include "platform/folder_path.h"
#include "platform/listing.h"
#include "platform/name_rules.h"

namespace kestro {

namespace {

constexpr std::size_t kNameLimit = 255;

bool IsWithin(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '/';
}

}  // namespace

void MemoryFileSystem::AddFolder(const std::string& folder) {
  const std::string path = NormalSlashPath(working_folder_, folder);
  std::string parent = "/";
  std::size_t start = 1;
  while (start < path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string name = path.substr(start, slash - start);
    const std::string child = path.substr(0, slash);
    Folder& parent_folder = folders_[parent];
    if (FindName(parent_folder, name) == nullptr) {
      PutEntry(parent_folder, name, Entry{EntryKind::kDirectory, ""});
    }
    folders_[child];
    parent = child;
    start = slash + 1;
  }
}

void MemoryFileSystem::AddFile(const std::string& folder, const std::string& name,
                               std::string content) {
  AddFolder(folder);
  Folder& f = *FindFolder(NormalSlashPath(working_folder_, folder));
  PutEntry(f, name, Entry{EntryKind::kFile, std::move(content)});
}

void MemoryFileSystem::AddDirectory(const std::string& folder, const std::string& name) {
  AddFolder(JoinSlashPath(NormalSlashPath(working_folder_, folder), name));
}

void MemoryFileSystem::SetWorkingFolder(const std::string& folder) {
  working_folder_ = NormalSlashPath("/", folder);
}

std::vector<std::string> MemoryFileSystem::AllNames(const std::string& folder) const {
  std::vector<std::string> names;
  if (const Folder* f = FindFolder(folder)) {
    for (const auto& [name, entry] : f->entries) names.push_back(name);
  }
  return names;
}

bool MemoryFileSystem::Exists(const std::string& folder, const std::string& name) const {
  const Folder* f = FindFolder(folder);
  return f != nullptr && FindName(*f, name) != nullptr;
}

std::optional<std::string> MemoryFileSystem::Content(const std::string& folder,
                                                     const std::string& name) const {
  const Folder* f = FindFolder(folder);
  if (f == nullptr) return std::nullopt;
  const std::string* found = FindName(*f, name);
  if (found == nullptr) return std::nullopt;
  const Entry& entry = f->entries.at(*found);
  if (entry.kind != EntryKind::kFile) return std::nullopt;
  return entry.content;
}

const MemoryFileSystem::Entry* MemoryFileSystem::FindEntry(const std::string& folder,
                                                           const std::string& name) const {
  const Folder* f = FindFolder(folder);
  const std::string* found = f != nullptr ? FindName(*f, name) : nullptr;
  return found != nullptr ? &f->entries.at(*found) : nullptr;
}

void MemoryFileSystem::SetModifiedTime(const std::string& folder, const std::string& name,
                                       DateTime when) {
  Folder* f = FindFolder(folder);
  const std::string* found = f != nullptr ? FindName(*f, name) : nullptr;
  if (found != nullptr) f->entries.at(*found).modified = when;
}

Status MemoryFileSystem::ModifiedTime(const std::string& folder, const std::string& name,
                                      DateTime* when) const {
  const Entry* entry = FindEntry(folder, name);
  if (entry == nullptr) {
    return StatusFromErrno(ENOENT, "its date modified cannot be read");
  }
  *when = entry->modified;
  return Status::Ok();
}

Status MemoryFileSystem::DateTaken(const std::string& folder, const std::string& name,
                                   DateTime* when) const {
  const Entry* entry = FindEntry(folder, name);
  if (entry == nullptr)
    return StatusFromErrno(ENOENT, std::string(kNoDateTaken) + ": cannot open it");
  if (entry->kind != EntryKind::kFile) return Status::Error(Status::Code::kNotFound, kNoDateTaken);
  return ReadDateTaken(reinterpret_cast<const unsigned char*>(entry->content.data()),
                       entry->content.size(), when);
}

void MemoryFileSystem::FailRenameOf(const std::string& folder, const std::string& name,
                                    Status failure) {
  failures_[{folder, name}] = std::move(failure);
}

void MemoryFileSystem::MarkInUse(const std::string& folder, const std::string& name) {
  FailRenameOf(folder, name, StatusFromErrno(EBUSY));
}

void MemoryFileSystem::VanishBeforeRename(const std::string& folder, const std::string& name) {
  vanish_.insert({folder, name});
}

void MemoryFileSystem::MakeUnreadable(const std::string& folder) { unreadable_.insert(folder); }

void MemoryFileSystem::SetBeforeRename(std::function<void()> hook) {
  before_rename_ = std::move(hook);
}

void MemoryFileSystem::SetCaseInsensitive(bool on) {
  case_insensitive_ = on;
  for (auto& [path, folder] : folders_) {
    folder.folded.clear();
    if (!on) continue;
    for (const auto& [name, entry] : folder.entries) folder.folded.emplace(FoldCase(name), name);
  }
}

int MemoryFileSystem::FolderError(const std::string& path) const {
  if (FindFolder(path) != nullptr) return 0;
  // Like stat: a file on the way (or at the end) is "not a directory", a gap "no such file".
  std::string parent = "/";
  std::size_t start = 1;
  while (start < path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const Folder* f = FindFolder(parent);
    const std::string* name = f ? FindName(*f, path.substr(start, slash - start)) : nullptr;
    if (name == nullptr) break;
    if (f->entries.at(*name).kind == EntryKind::kFile) return ENOTDIR;
    parent = JoinSlashPath(parent, *name);
    start = slash + 1;
  }
  return ENOENT;
}

Status MemoryFileSystem::AbsoluteFolder(std::string_view path, std::string* absolute) {
  if (path.empty()) return StatusFromErrno(ENOENT, CannotOpenFolder(path));
  // As the system resolves it: a ".." only above a folder that is there (this one has no links).
  std::string head = path.front() == '/' ? "/" : working_folder_;
  std::string_view rest = path;
  if (const std::size_t up = EndOfLastParentPart(path); up != std::string_view::npos) {
    for (std::size_t start = 0; start < up;) {
      std::size_t slash = std::min(path.find('/', start), up);
      const std::string_view part = path.substr(start, slash - start);
      if (part == "..") {
        if (const int error_number = FolderError(head); error_number != 0)
          return StatusFromErrno(error_number, CannotOpenFolder(path));
      }
      head = NormalSlashPath(head, part);
      start = slash + 1;
    }
    rest = path.substr(std::min(up + 1, path.size()));
  }
  std::string result = NormalSlashPath(head, rest);
  if (const int error_number = FolderError(result); error_number != 0)
    return StatusFromErrno(error_number, CannotOpenFolder(result));
  *absolute = std::move(result);
  return Status::Ok();
}

Status MemoryFileSystem::ListNames(const std::string& folder, EntryKind kind,
                                   std::vector<std::string>* names) {
  std::vector<std::string> other_kind;
  return kind == EntryKind::kDirectory ? ListBothKinds(folder, names, &other_kind)
                                       : ListBothKinds(folder, &other_kind, names);
}

Status MemoryFileSystem::ListBothKinds(const std::string& folder,
                                       std::vector<std::string>* directories,
                                       std::vector<std::string>* files) {
  directories->clear();
  files->clear();
  ++readings_[folder];
  const Folder* f = FindFolder(folder);
  if (f == nullptr) return StatusFromErrno(ENOENT, CannotOpenFolder(folder));
  if (unreadable_.count(folder) != 0) return StatusFromErrno(EACCES, CannotOpenFolder(folder));
  for (const auto& [name, entry] : f->entries) {
    if (name.front() != '.') {
      (entry.kind == EntryKind::kDirectory ? directories : files)->push_back(name);
    }
  }
  return Status::Ok();
}

Status MemoryFileSystem::ListAllNames(const std::string& folder, std::vector<std::string>* names) {
  names->clear();
  ++readings_[folder];
  const Folder* f = FindFolder(folder);
  if (f == nullptr) return StatusFromErrno(ENOENT, CannotOpenFolder(folder));
  if (unreadable_.count(folder) != 0) return StatusFromErrno(EACCES, CannotOpenFolder(folder));
  names->reserve(f->entries.size());
  for (const auto& [name, entry] : f->entries) names->push_back(name);
  return Status::Ok();
}

Status MemoryFileSystem::RenameNoReplace(const std::string& folder, const std::string& old_name,
                                         const std::string& new_name) {
  Status result = Rename(folder, old_name, new_name);
  calls_.push_back(RenameCall{folder, old_name, new_name, result});
  return result;
}

Status MemoryFileSystem::Rename(const std::string& folder, const std::string& old_name,
                                const std::string& new_name) {
  if (before_rename_) before_rename_();
  if (Status s = CheckNewName(*this, new_name); !s.ok()) return s;
  if (Status s = CheckOldName(*this, old_name); !s.ok()) return s;
  Folder* f = FindFolder(folder);
  if (f == nullptr) return StatusFromErrno(ENOENT, CannotOpenFolder(folder));

  if (const std::string* present = FindName(*f, old_name)) {
    if (auto it = vanish_.find({folder, *present}); it != vanish_.end()) {
      vanish_.erase(it);
      RemoveEntry(folder, *f, std::string(*present));
    }
  }
  const std::string* present = FindName(*f, old_name);
  if (present == nullptr) return StatusFromErrno(ENOENT);
  const std::string source = *present;
  if (auto it = failures_.find({folder, source}); it != failures_.end()) return it->second;
  if (old_name == new_name) return Status::Ok();
  if (Status s = CheckNameLength(new_name, kNameLimit); !s.ok()) return s;
  if (const std::string* taken = FindName(*f, new_name); taken != nullptr && *taken != source) {
    return Status::Error(Status::Code::kAlreadyExists, kNameExists);
  }

  Entry entry = std::move(f->entries.at(source));
  const bool is_directory = entry.kind == EntryKind::kDirectory;
  if (case_insensitive_) f->folded.erase(FoldCase(source));
  f->entries.erase(source);
  PutEntry(*f, new_name, std::move(entry));
  if (is_directory) MoveSubtree(JoinSlashPath(folder, source), JoinSlashPath(folder, new_name));
  return Status::Ok();
}

std::string MemoryFileSystem::JoinPath(std::string_view folder, std::string_view name) const {
  return JoinSlashPath(folder, name);
}

std::size_t MemoryFileSystem::NameLimit(const std::string& folder) {
  static_cast<void>(folder);
  return kNameLimit;
}

Status MemoryFileSystem::CheckNameLength(std::string_view name, std::size_t limit) const {
  if (limit == 0 || name.size() <= limit) return Status::Ok();
  return StatusFromErrno(ENAMETOOLONG);
}

bool MemoryFileSystem::HoldsSeparator(std::string_view name) const {
  return name.find('/') != std::string_view::npos;
}

MemoryFileSystem::Folder* MemoryFileSystem::FindFolder(const std::string& path) {
  auto it = folders_.find(path);
  return it == folders_.end() ? nullptr : &it->second;
}

const MemoryFileSystem::Folder* MemoryFileSystem::FindFolder(const std::string& path) const {
  auto it = folders_.find(path);
  return it == folders_.end() ? nullptr : &it->second;
}

const std::string* MemoryFileSystem::FindName(const Folder& folder, const std::string& name) const {
  if (auto it = folder.entries.find(name); it != folder.entries.end()) return &it->first;
  if (!case_insensitive_) return nullptr;
  auto it = folder.folded.find(FoldCase(name));
  return it == folder.folded.end() ? nullptr : &it->second;
}

void MemoryFileSystem::PutEntry(Folder& folder, const std::string& name, Entry entry) {
  folder.entries.insert_or_assign(name, std::move(entry));
  if (case_insensitive_) folder.folded.emplace(FoldCase(name), name);
}

void MemoryFileSystem::RemoveEntry(const std::string& path, Folder& folder,
                                   const std::string& name) {
  if (case_insensitive_) folder.folded.erase(FoldCase(name));
  const bool is_directory = folder.entries.at(name).kind == EntryKind::kDirectory;
  folder.entries.erase(name);
  if (!is_directory) return;
  const std::string gone = JoinSlashPath(path, name);
  folders_.erase(gone);
  for (auto it = folders_.lower_bound(gone + "/");
       it != folders_.end() && IsWithin(it->first, gone);) {
    it = folders_.erase(it);
  }
}

void MemoryFileSystem::MoveSubtree(const std::string& from, const std::string& to) {
  std::vector<std::pair<std::string, Folder>> moved;
  if (auto it = folders_.find(from); it != folders_.end()) {
    moved.emplace_back(to, std::move(it->second));
    folders_.erase(it);
  }
  for (auto it = folders_.lower_bound(from + "/");
       it != folders_.end() && IsWithin(it->first, from);) {
    moved.emplace_back(to + it->first.substr(from.size()), std::move(it->second));
    it = folders_.erase(it);
  }
  for (auto& [path, folder] : moved) folders_.insert_or_assign(path, std::move(folder));
}

}  // namespace kestro
