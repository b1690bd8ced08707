// The two dates of an entry on a POSIX system: its modification time and its date taken.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <vector>

#include "platform/date_taken.h"
#include "platform/errno_status.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {

Status PosixFileSystem::ModifiedTime(const std::string& folder, const std::string& name,
                                     DateTime* when) const {
  struct stat info {};
  if (stat(JoinPath(folder, name).c_str(), &info) != 0) {
    return StatusFromErrno(errno, "its date modified cannot be read");
  }
  std::tm local{};
  if (localtime_r(&info.st_mtime, &local) == nullptr) {
    return StatusFromErrno(EOVERFLOW, "its date modified cannot be read");
  }
  *when = DateTime{{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                   local.tm_hour,
                   local.tm_min,
                   local.tm_sec};
  return Status::Ok();
}

Status PosixFileSystem::DateTaken(const std::string& folder, const std::string& name,
                                  DateTime* when) const {
  // O_NONBLOCK: a FIFO given the name of a photo must not hold the batch up.
  const int fd = open(JoinPath(folder, name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return StatusFromErrno(errno, std::string(kNoDateTaken) + ": cannot open it");
  // The metadata of most photos lies in their first bytes: one read of those costs far less
  // than mapping the file. A FIFO, a folder or a device answers the read with an error at once.
  constexpr std::size_t kFirstBytes = std::size_t{256} << 10;
  thread_local std::vector<unsigned char> first(kFirstBytes);
  const ssize_t got = pread(fd, first.data(), kFirstBytes, 0);
  Status result = Status::Error(Status::Code::kNotFound, kNoDateTaken);
  if (got >= 0) {
    result = ReadDateTaken(first.data(), static_cast<std::size_t>(got), when);
  } else if (errno != EISDIR && errno != ESPIPE && errno != EINVAL && errno != EAGAIN) {
    // A file that cannot be read, rather than something that is no file.
    result = StatusFromErrno(errno, std::string(kNoDateTaken) + ": cannot read it");
  }
  // Only where the metadata is not all in those bytes is the whole of a regular file mapped.
  struct stat info {};
  if (!result.ok() && static_cast<std::size_t>(got) == kFirstBytes && fstat(fd, &info) == 0 &&
      S_ISREG(info.st_mode)) {
    const auto size = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), kDateTakenReadLimit));
    if (size > kFirstBytes) {
      void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (map == MAP_FAILED) {
        result = StatusFromErrno(errno, std::string(kNoDateTaken) + ": cannot read it");
      } else {
        result = ReadDateTaken(static_cast<const unsigned char*>(map), size, when);
        munmap(map, size);
      }
    }
  }
  close(fd);
  return result;
}

}  // namespace kestro
