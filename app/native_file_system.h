// The file system of the platform the program runs on (POSIX or Windows, picked by CMake), for
// the composition of the real program.
#pragma once

#include <memory>

#include "platform/file_system.h"

namespace kestro {

[[nodiscard]] std::unique_ptr<FileSystem> NewNativeFileSystem();

}  // namespace kestro
