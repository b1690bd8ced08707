// The two dates of an entry on Windows: its last write time and its date taken.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/date_taken.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_error_status.h"
#include "platform/windows/windows_file_system.h"
#include "platform/windows/windows_path.h"

namespace kestro {
namespace {

// The entry's path as the API takes it at any length ("\\?\" before a long full path).
std::optional<std::wstring> EntryPath(const std::string& folder, const std::string& name) {
  std::optional<std::wstring> path = WideFromUtf8(JoinWindowsPath(folder, name));
  if (!path || path->find(L'\0') != std::wstring::npos) return std::nullopt;
  if (path->size() >= MAX_PATH && path->size() >= 3 && (*path)[1] == L':') {
    return L"\\\\?\\" + *path;
  }
  return path;
}

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  [[nodiscard]] HANDLE get() const { return handle_; }
  [[nodiscard]] bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace

Status WindowsFileSystem::ModifiedTime(const std::string& folder, const std::string& name,
                                       DateTime* when) const {
  constexpr char kContext[] = "its date modified cannot be read";
  const std::optional<std::wstring> path = EntryPath(folder, name);
  if (!path) return StatusFromWindowsError(ERROR_FILE_NOT_FOUND, kContext);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path->c_str(), GetFileExInfoStandard, &data)) {
    return StatusFromLastError(kContext);
  }
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return StatusFromLastError(kContext);
  }
  *when =
      DateTime{{local.wYear, local.wMonth, local.wDay}, local.wHour, local.wMinute, local.wSecond};
  return Status::Ok();
}

Status WindowsFileSystem::DateTaken(const std::string& folder, const std::string& name,
                                    DateTime* when) const {
  const std::string cannot_open = std::string(kNoDateTaken) + ": cannot open it";
  const std::optional<std::wstring> path = EntryPath(folder, name);
  if (!path) return StatusFromWindowsError(ERROR_FILE_NOT_FOUND, cannot_open);
  const OwnedHandle file(CreateFileW(path->c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    // A directory cannot be opened this way; it holds no date taken either way.
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED &&
        (GetFileAttributesW(path->c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
        GetFileAttributesW(path->c_str()) != INVALID_FILE_ATTRIBUTES) {
      return Status::Error(Status::Code::kNotFound, kNoDateTaken);
    }
    return StatusFromWindowsError(error, cannot_open);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) {
    return Status::Error(Status::Code::kNotFound, kNoDateTaken);
  }
  const std::uint64_t length = static_cast<std::uint64_t>(size.QuadPart) < kDateTakenReadLimit
                                   ? static_cast<std::uint64_t>(size.QuadPart)
                                   : kDateTakenReadLimit;
  const OwnedHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping.valid()) return StatusFromLastError(std::string(kNoDateTaken) + ": cannot read it");
  const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(length));
  if (view == nullptr) return StatusFromLastError(std::string(kNoDateTaken) + ": cannot read it");
  const Status result = ReadDateTaken(static_cast<const unsigned char*>(view),
                                      static_cast<std::size_t>(length), when);
  UnmapViewOfFile(view);
  return result;
}

}  // namespace kestro
