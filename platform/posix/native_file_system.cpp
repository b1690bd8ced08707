#include "platform/native_file_system.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {

std::unique_ptr<FileSystem> NewNativeFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace kestro
