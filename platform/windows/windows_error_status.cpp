#include "platform/windows/windows_error_status.h"

#include <windows.h>

#include <string>

#include "platform/name_rules.h"
#include "platform/windows/wide_text.h"

namespace kestro {

namespace {

Status::Code CodeOf(DWORD error) {
  switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return Status::Code::kAlreadyExists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
    case ERROR_NOT_READY:
      return Status::Code::kNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
      return Status::Code::kInUse;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return Status::Code::kPermission;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_NO_UNICODE_TRANSLATION:
      return Status::Code::kInvalidName;
    case ERROR_NOT_SUPPORTED:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_CALL_NOT_IMPLEMENTED:
      return Status::Code::kNotSupported;
    default:
      return Status::Code::kIoError;
  }
}

std::string SystemText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD size = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (size > 0 && buffer != nullptr) text = Utf8FromWide(std::wstring_view(buffer, size));
  if (buffer != nullptr) LocalFree(buffer);
  // The system's texts end in a line break (and often a blank).
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  if (text.empty()) text = "Windows error " + std::to_string(error);
  return text;
}

}  // namespace

Status StatusFromWindowsError(unsigned long error, std::string_view context) {
  const Status::Code code = CodeOf(error);
  // Every file system words this refusal the same way, so the reports read alike.
  std::string reason = code == Status::Code::kAlreadyExists ? kNameExists : SystemText(error);
  if (context.empty()) return Status::Error(code, std::move(reason));
  return Status::Error(code, std::string(context) + ": " + reason);
}

Status StatusFromLastError(std::string_view context) {
  return StatusFromWindowsError(GetLastError(), context);
}

}  // namespace kestro
