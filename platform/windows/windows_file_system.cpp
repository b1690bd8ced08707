#include "platform/windows/windows_file_system.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "platform/folder_path.h"
#include "platform/name_rules.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_error_status.h"
#include "platform/windows/windows_name_rules.h"
#include "platform/windows/windows_path.h"

namespace kestro {

namespace {

constexpr char kNewNameNotUtf8[] = "the new name is not valid UTF-8";
constexpr char kOldNameNotUtf8[] = "the old name is not valid UTF-8";

std::wstring JoinWide(const std::wstring& folder, const std::wstring& name) {
  std::wstring path = folder;
  if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
  path += name;
  return path;
}

Status FullPath(const std::wstring& path, std::wstring* full) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (size == 0) return StatusFromLastError();
    if (size < buffer.size()) {
      buffer.resize(size);
      *full = std::move(buffer);
      return Status::Ok();
    }
    buffer.resize(size);
  }
}

// The form of `path` the API takes at any length: a path of MAX_PATH or more, which the plain form
// cannot reach, is made full and given the "\\?\" prefix (which turns normalisation off, so it is
// only used on a full path).
std::wstring ApiPath(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.starts_with(L"\\\\?\\")) return path;
  std::wstring full;
  if (!FullPath(path, &full).ok()) return path;
  if (full.size() >= 3 && full[1] == L':') return L"\\\\?\\" + full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return full;
}

// `folder` as the API takes it. A path holding a NUL would reach the system cut short at it, and
// text that is not UTF-8 names no folder Windows can hold: either is a folder that is not there.
Status WideFolder(const std::string& folder, std::wstring* wide) {
  std::optional<std::wstring> converted = WideFromUtf8(folder);
  if (!converted || converted->find(L'\0') != std::wstring::npos) {
    return StatusFromWindowsError(ERROR_PATH_NOT_FOUND, CannotOpenFolder(folder));
  }
  *wide = std::move(*converted);
  return Status::Ok();
}

// A handle that closes itself.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  [[nodiscard]] bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  [[nodiscard]] HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The volume and file index of what `path` names: with `follow_links` what a link points to,
// otherwise the link itself.
std::optional<BY_HANDLE_FILE_INFORMATION> FileInformation(const std::wstring& path,
                                                          bool follow_links) {
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;  // lets a directory be opened
  if (!follow_links) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  const Handle file(CreateFileW(ApiPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr));
  if (!file.valid()) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return info;
}

bool SameEntry(const std::wstring& a, const std::wstring& b) {
  const auto info_a = FileInformation(a, false);
  const auto info_b = FileInformation(b, false);
  return info_a && info_b && info_a->dwVolumeSerialNumber == info_b->dwVolumeSerialNumber &&
         info_a->nFileIndexHigh == info_b->nFileIndexHigh &&
         info_a->nFileIndexLow == info_b->nFileIndexLow;
}

// Compared as the file system compares names (ordinal, upper-cased).
bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool DiffersInCaseOnly(const std::wstring& a, const std::wstring& b) {
  return a != b && EqualIgnoringCase(a, b);
}

// The spelling the folder keeps for the entry `path` names, or empty text when it is not there.
std::wstring NameOnDisk(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(ApiPath(path).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return std::wstring();
  FindClose(find);
  return data.cFileName;
}

// Whether a successful MoveFileExW from `from` may have left it where it was: Wine reports a move
// onto a name that resolves to the entry itself as done and changes nothing. Past a change of case
// alone (checked apart), a name resolves to the entry itself only as another hard link of it or as
// a generated short alias, which always holds "~". The entry is opened for its link count alone,
// which costs far less than asking after `from` when it is gone: Wine looks for a missing name by
// reading the whole folder.
bool MayHaveStayed(const std::wstring& from, const std::wstring& new_name) {
  if (new_name.find(L'~') != std::wstring::npos) return true;
  const Handle file(
      CreateFileW(ApiPath(from).c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  // The standard information alone: GetFileInformationByHandle asks after the volume too.
  FILE_STANDARD_INFO info{};
  if (!file.valid() ||
      !GetFileInformationByHandleEx(file.get(), FileStandardInfo, &info, sizeof(info))) {
    return true;
  }
  // Directories have no hard links; their link count says how many sub-directories they hold.
  return !info.Directory && info.NumberOfLinks != 1;
}

Status Move(const std::wstring& from, const std::wstring& to) {
  // No MOVEFILE_REPLACE_EXISTING: an existing entry of the new name makes the call fail.
  if (MoveFileExW(ApiPath(from).c_str(), ApiPath(to).c_str(), 0)) return Status::Ok();
  return StatusFromLastError();
}

// The kind of a listed entry, or no value for one that is neither (a dangling link).
std::optional<EntryKind> KindOf(const std::wstring& folder, const WIN32_FIND_DATAW& data) {
  bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                    (data.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
                     data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
  if (link) {
    // A link counts as what it points to.
    const auto target = FileInformation(JoinWide(folder, data.cFileName), true);
    if (!target) return std::nullopt;
    directory = (target->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  return directory ? EntryKind::kDirectory : EntryKind::kFile;
}

// The names of `folder` ("." and ".." left out) that `wanted` takes, given the folder as the API
// takes it and each entry's find data.
template <typename Wanted>
Status WalkFolder(const std::string& folder, std::vector<std::string>* names, Wanted wanted) {
  names->clear();
  std::wstring wide_folder;
  if (Status s = WideFolder(folder, &wide_folder); !s.ok()) return s;
  WIN32_FIND_DATAW data{};
  const HANDLE find =
      FindFirstFileExW(ApiPath(JoinWide(wide_folder, L"*")).c_str(), FindExInfoBasic, &data,
                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // A drive root has no "." and "..": when it is empty there is nothing to find at all.
    if (error == ERROR_FILE_NOT_FOUND) {
      const DWORD attributes = GetFileAttributesW(ApiPath(wide_folder).c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Status::Ok();
      }
    }
    return StatusFromWindowsError(error, CannotOpenFolder(folder));
  }
  DWORD error = ERROR_SUCCESS;
  for (;;) {
    const std::wstring_view name = data.cFileName;
    if (name != L"." && name != L".." && wanted(wide_folder, data)) {
      names->push_back(Utf8FromWide(name));
    }
    if (!FindNextFileW(find, &data)) {
      error = GetLastError();
      break;
    }
  }
  FindClose(find);
  if (error != ERROR_NO_MORE_FILES) {
    names->clear();
    return StatusFromWindowsError(error, "cannot read folder '" + folder + "'");
  }
  return Status::Ok();
}

// Ok when every part of `path` that a ".." part follows is a folder; else why not.
Status FoldersBeforeParentParts(const std::wstring& path) {
  for (std::size_t start = 0; start < path.size();) {
    std::size_t end = path.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = path.size();
    if (start > 0 && path.compare(start, end - start, L"..") == 0) {
      const std::wstring before = WithoutTrailingSeparator(path.substr(0, start));
      const DWORD attributes = GetFileAttributesW(ApiPath(before).c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) return StatusFromLastError();
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return StatusFromWindowsError(ERROR_DIRECTORY);
      }
    }
    start = end + 1;
  }
  return Status::Ok();
}

}  // namespace

Status WindowsFileSystem::AbsoluteFolder(std::string_view path, std::string* absolute) {
  std::wstring wide;
  if (path.empty()) return StatusFromWindowsError(ERROR_PATH_NOT_FOUND, CannotOpenFolder(path));
  if (Status s = WideFolder(std::string(path), &wide); !s.ok()) return s;
  // Windows takes ".." by the text; it is taken only above a part that is a folder here, so a
  // path through a folder that is not there ("missing\..\x", "file.txt\..") names nothing, as
  // on the other systems.
  if (Status s = FoldersBeforeParentParts(wide); !s.ok()) {
    return Status::Error(s.code(), CannotOpenFolder(path) + ": " + s.message());
  }
  std::wstring full;
  if (Status s = FullPath(wide, &full); !s.ok()) {
    return Status::Error(s.code(), CannotOpenFolder(path) + ": " + s.message());
  }
  full = WithoutTrailingSeparator(std::move(full));
  const std::string result = Utf8FromWide(full);
  const DWORD attributes = GetFileAttributesW(ApiPath(full).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return StatusFromLastError(CannotOpenFolder(result));
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return StatusFromWindowsError(ERROR_DIRECTORY, CannotOpenFolder(result));
  }
  *absolute = result;
  return Status::Ok();
}

Status WindowsFileSystem::ListNames(const std::string& folder, EntryKind kind,
                                    std::vector<std::string>* names) {
  constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return WalkFolder(
      folder, names, [kind](const std::wstring& wide_folder, const WIN32_FIND_DATAW& data) {
        return (data.dwFileAttributes & kLeftOut) == 0 && KindOf(wide_folder, data) == kind;
      });
}

Status WindowsFileSystem::ListBothKinds(const std::string& folder,
                                        std::vector<std::string>* directories,
                                        std::vector<std::string>* files) {
  constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  directories->clear();
  // The files are walked into `files`; each directory met on the way goes to `directories`.
  const Status status = WalkFolder(
      folder, files, [directories](const std::wstring& wide_folder, const WIN32_FIND_DATAW& data) {
        if ((data.dwFileAttributes & kLeftOut) != 0) return false;
        const std::optional<EntryKind> kind = KindOf(wide_folder, data);  // none: a dangling link
        if (kind == EntryKind::kDirectory) directories->push_back(Utf8FromWide(data.cFileName));
        return kind == EntryKind::kFile;
      });
  if (!status.ok()) directories->clear();
  return status;
}

Status WindowsFileSystem::ListAllNames(const std::string& folder, std::vector<std::string>* names) {
  return WalkFolder(folder, names,
                    [](const std::wstring&, const WIN32_FIND_DATAW&) { return true; });
}

Status WindowsFileSystem::CheckPlatformName(std::string_view name) const {
  return CheckWindowsName(name);
}

Status WindowsFileSystem::RenameNoReplace(const std::string& folder, const std::string& old_name,
                                          const std::string& new_name) {
  if (Status s = CheckNewName(*this, new_name); !s.ok()) return s;
  if (Status s = CheckOldName(*this, old_name); !s.ok()) return s;
  if (Status s = CheckWindowsName(new_name); !s.ok()) return s;
  if (Status s = CheckNameLength(new_name, NameLimit(folder)); !s.ok()) return s;
  std::wstring wide_folder;
  if (Status s = WideFolder(folder, &wide_folder); !s.ok()) return s;
  const std::optional<std::wstring> wide_old = WideFromUtf8(old_name);
  if (!wide_old) return Status::Error(Status::Code::kInvalidName, kOldNameNotUtf8);
  const std::optional<std::wstring> wide_new = WideFromUtf8(new_name);
  if (!wide_new) return Status::Error(Status::Code::kInvalidName, kNewNameNotUtf8);

  const std::wstring from = JoinWide(wide_folder, *wide_old);
  const std::wstring to = JoinWide(wide_folder, *wide_new);
  // A folder that is not there is reported as such, not as an entry missing from it.
  const auto named_folder = [&](Status status) {
    if (status.code() != Status::Code::kNotFound) return status;
    const DWORD attributes = GetFileAttributesW(ApiPath(wide_folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return StatusFromLastError(CannotOpenFolder(folder));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      return StatusFromWindowsError(ERROR_DIRECTORY, CannotOpenFolder(folder));
    }
    return status;
  };
  if (from == to) {
    if (GetFileAttributesW(ApiPath(from).c_str()) == INVALID_FILE_ATTRIBUTES) {
      return named_folder(StatusFromLastError());
    }
    return Status::Ok();
  }
  const bool case_only = DiffersInCaseOnly(*wide_old, *wide_new);
  // Once a change of case alone was kept back in this run's folder, the others go straight
  // through a temporary name rather than each asking the file system first.
  if (case_only && case_kept_back_ && folder == run_folder_) {
    return MoveThroughTemporary(wide_folder, from, *wide_new);
  }
  const bool check_stayed = !case_only && MayHaveStayed(from, *wide_new);
  Status moved = Move(from, to);
  if (moved.ok()) {
    if (case_only) {
      // Some file systems (and Wine on a case-sensitive disk) report a change of case alone as
      // done and keep the old spelling.
      if (NameOnDisk(to) == *wide_new) return moved;
      if (folder == run_folder_) case_kept_back_ = true;
      return MoveThroughTemporary(wide_folder, from, *wide_new);
    }
    // Wine reports a move onto another hard link of the same file as done and leaves both names;
    // the new name was taken all the same.
    if (check_stayed && GetFileAttributesW(ApiPath(from).c_str()) != INVALID_FILE_ATTRIBUTES &&
        SameEntry(from, to)) {
      return Status::Error(Status::Code::kAlreadyExists, kNameExists);
    }
    return moved;
  }
  // The new name finds the entry itself (a change of case alone, or the entry's short 8.3
  // alias): not a conflict, so the entry is moved in two steps. Another hard link of the same
  // file is another entry, and stays a conflict.
  if (moved.code() == Status::Code::kAlreadyExists && SameEntry(from, to) &&
      EqualIgnoringCase(NameOnDisk(to), *wide_old)) {
    return MoveThroughTemporary(wide_folder, from, *wide_new);
  }
  return named_folder(std::move(moved));
}

void WindowsFileSystem::BeginRenames(const std::string& folder) {
  run_folder_ = folder;
  case_kept_back_ = false;
}

void WindowsFileSystem::EndRenames() {
  run_folder_.reset();
  case_kept_back_ = false;
}

Status WindowsFileSystem::MoveThroughTemporary(const std::wstring& folder, const std::wstring& from,
                                               const std::wstring& to_name) {
  const std::wstring to = JoinWide(folder, to_name);
  const std::wstring prefix = L"~kestro-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring temporary =
        JoinWide(folder, prefix + std::to_wstring(++temporary_count_) + L".tmp");
    Status status = Move(from, temporary);
    if (status.code() == Status::Code::kAlreadyExists) continue;
    if (!status.ok()) return status;
    status = Move(temporary, to);
    if (status.ok()) return status;
    if (!Move(temporary, from).ok()) {
      return Status::Error(status.code(), status.message() + "; the entry was left as '" +
                                              Utf8FromWide(temporary) + "'");
    }
    return status;
  }
  return Status::Error(Status::Code::kAlreadyExists, kNameExists);
}

std::size_t WindowsFileSystem::NameLimit(const std::string& folder) {
  if (folder == limit_folder_) return limit_;
  limit_folder_ = folder;
  limit_ = 0;
  std::wstring wide;
  if (!WideFolder(folder, &wide).ok()) return limit_;
  std::wstring volume(wide.size() + 2, L'\0');
  if (!GetVolumePathNameW(ApiPath(wide).c_str(), volume.data(), static_cast<DWORD>(volume.size())))
    return limit_;
  DWORD longest = 0;
  if (GetVolumeInformationW(volume.c_str(), nullptr, 0, nullptr, &longest, nullptr, nullptr, 0))
    limit_ = longest;
  return limit_;
}

Status WindowsFileSystem::CheckNameLength(std::string_view name, std::size_t limit) const {
  if (limit == 0) return Status::Ok();
  const std::optional<std::wstring> wide = WideFromUtf8(name);
  if (!wide || wide->size() <= limit) return Status::Ok();
  return StatusFromWindowsError(ERROR_FILENAME_EXCED_RANGE);
}

std::string WindowsFileSystem::JoinPath(std::string_view folder, std::string_view name) const {
  return JoinWindowsPath(folder, name);
}

bool WindowsFileSystem::HoldsSeparator(std::string_view name) const {
  return name.find_first_of("/\\") != std::string_view::npos;
}

}  // namespace kestro
