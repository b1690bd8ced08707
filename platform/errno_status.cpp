#include "platform/errno_status.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace kestro {

namespace {

Status::Code CodeOf(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return Status::Code::kNotFound;
    case EEXIST:
    case ENOTEMPTY:
      return Status::Code::kAlreadyExists;
    case EBUSY:
    case ETXTBSY:
      return Status::Code::kInUse;
    case EACCES:
    case EPERM:
    case EROFS:
      return Status::Code::kPermission;
    case ENAMETOOLONG:
    case EILSEQ:
      return Status::Code::kInvalidName;
    case ENOSYS:
    case EOPNOTSUPP:
    case EXDEV:
      return Status::Code::kNotSupported;
    default:
      return Status::Code::kIoError;
  }
}

}  // namespace

Status StatusFromErrno(int error_number, std::string_view context) {
  // std::strerror's buffer is only shared between threads; everything here runs on one thread.
  std::string reason = std::strerror(error_number);
  if (context.empty()) return Status::Error(CodeOf(error_number), std::move(reason));
  std::string message(context);
  message += ": ";
  message += reason;
  return Status::Error(CodeOf(error_number), std::move(message));
}

}  // namespace kestro
