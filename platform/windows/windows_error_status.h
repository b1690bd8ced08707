// The one place where a Windows error code (GetLastError) becomes a Status: the code by kind of
// failure and the system's own text (FormatMessageW) as the reason.
#pragma once

#include <string_view>

#include "platform/status.h"

namespace kestro {

// A failed Status for `error` (a GetLastError value; never 0). The message is the system's text for
// it ("The system cannot find the file specified."), after `context` and ": " when `context` is not
// empty. ERROR_ALREADY_EXISTS and ERROR_FILE_EXISTS give kAlreadyExists with the shared "a file of
// that name exists"; file and path not found, kNotFound; sharing and lock violations, kInUse;
// access denied and a write-protected medium, kPermission; invalid, too long or badly formed
// names, kInvalidName; ERROR_NOT_SUPPORTED and ERROR_NOT_SAME_DEVICE, kNotSupported; every other
// code kIoError.
[[nodiscard]] Status StatusFromWindowsError(unsigned long error, std::string_view context = {});

// The same for the calling thread's last error.
[[nodiscard]] Status StatusFromLastError(std::string_view context = {});

}  // namespace kestro
