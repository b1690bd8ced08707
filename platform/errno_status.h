// The one place where a C library error number becomes a Status: the code by kind of failure and
// the system's own text as the reason.
#pragma once

#include <string_view>

#include "platform/status.h"

namespace kestro {

// A failed Status for `error_number` (an errno value; never 0). The message is the system's text
// for it ("No such file or directory"), after `context` and ": " when `context` is not empty.
// ENOENT and ENOTDIR give kNotFound, EEXIST and ENOTEMPTY kAlreadyExists, EBUSY and ETXTBSY kInUse,
// EACCES, EPERM and EROFS kPermission, ENAMETOOLONG and EILSEQ kInvalidName, ENOSYS, EOPNOTSUPP and
// EXDEV kNotSupported; every other number kIoError.
[[nodiscard]] Status StatusFromErrno(int error_number, std::string_view context = {});

}  // namespace kestro
