// The file system of the platform the program runs on (POSIX or Windows, picked by CMake): what
// the program and the tests on real folders work with.
#pragma once

#include <memory>

#include "platform/file_system.h"

namespace kestro {

[[nodiscard]] std::unique_ptr<FileSystem> NewNativeFileSystem();

}  // namespace kestro
