// StateFolder and the state files on Windows.
#include "platform/state_folder.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_error_status.h"
#include "platform/windows/windows_path.h"

namespace kestro {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  [[nodiscard]] HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// FILE_FLAG_OPEN_REPARSE_POINT opens a link (a symbolic link, a junction) itself, which is then
// refused as no regular file; a pipe or a device is refused by its type before any read.
Status OpenRegular(const std::string& path, DWORD access, DWORD disposition,
                   std::uint64_t max_bytes, HANDLE* handle) {
  const std::optional<std::wstring> wide = WideFromUtf8(path);
  if (!wide) return Status::Error(Status::Code::kInvalidName, "'" + path + "' is not UTF-8");
  *handle = CreateFileW(wide->c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        disposition, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (*handle == INVALID_HANDLE_VALUE) return StatusFromLastError("cannot open '" + path + "'");
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(*handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(*handle, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return Status::Error(Status::Code::kInvalidName, "'" + path + "' is not a regular file");
  }
  const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size > max_bytes) {
    return Status::Error(
        Status::Code::kIoError,
        "'" + path + "' is larger than a journal can be (" + std::to_string(max_bytes) + " bytes)");
  }
  return Status::Ok();
}

}  // namespace

Status StateFolder(std::string* folder) {
  PWSTR found = nullptr;
  folder->clear();
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &found);
  if (result == S_OK) *folder = Utf8FromWide(found) + "\\Kestrovane";
  CoTaskMemFree(found);
  if (!folder->empty()) return Status::Ok();
  return Status::Error(Status::Code::kNotFound,
                       "no folder for the journal: the local application data folder is unknown");
}

Status ReadStateFile(const std::string& path, std::uint64_t max_bytes,
                     const std::function<bool(std::string_view piece)>& piece) {
  HANDLE raw = INVALID_HANDLE_VALUE;
  const Status opened = OpenRegular(path, GENERIC_READ, OPEN_EXISTING, max_bytes, &raw);
  const Handle file(raw);
  if (!opened.ok()) return opened;
  std::vector<char> buffer(64 * 1024);
  std::uint64_t total = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return StatusFromLastError("cannot read '" + path + "'");
    }
    if (got == 0) return Status::Ok();
    total += got;
    if (total > max_bytes) {
      return Status::Error(Status::Code::kIoError, "'" + path + "' grew past its bound");
    }
    if (!piece(std::string_view(buffer.data(), got))) return Status::Ok();
  }
}

Status CreateStateFile(const std::string& path) {
  const std::optional<std::wstring> wide = WideFromUtf8(path);
  if (!wide) return Status::Error(Status::Code::kInvalidName, "'" + path + "' is not UTF-8");
  const Handle file(CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return StatusFromLastError("cannot make '" + path + "'");
  return Status::Ok();
}

Status AppendStateFile(const std::string& path, std::string_view text) {
  HANDLE raw = INVALID_HANDLE_VALUE;
  const Status opened = OpenRegular(path, FILE_APPEND_DATA, OPEN_EXISTING, UINT64_MAX, &raw);
  const Handle file(raw);
  if (!opened.ok()) return opened;
  while (!text.empty()) {
    DWORD put = 0;
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1 << 20));
    if (!WriteFile(file.get(), text.data(), size, &put, nullptr)) {
      return StatusFromLastError("cannot write '" + path + "'");
    }
    text.remove_prefix(put);
  }
  return Status::Ok();
}

bool IsAbsoluteStatePath(std::string_view path) {
  const bool drive = path.size() >= 3 &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                     path[1] == ':' && IsWindowsSeparator(path[2]);
  const bool share = path.size() >= 3 && IsWindowsSeparator(path[0]) &&
                     IsWindowsSeparator(path[1]) && !IsWindowsSeparator(path[2]);
  return drive || share;
}

}  // namespace kestro
