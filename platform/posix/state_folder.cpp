// StateFolder and the state files on POSIX.
#include "platform/state_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/errno_status.h"

namespace kestro {
namespace {

// Closes the descriptor it holds when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  [[nodiscard]] int get() const { return fd_; }

 private:
  int fd_;
};

// O_NONBLOCK: opening a FIFO for reading returns at once instead of waiting for a writer.
Status OpenRegular(const std::string& path, int flags, std::uint64_t max_bytes, int* fd) {
  *fd = open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (*fd < 0) return StatusFromErrno(errno, "cannot open '" + path + "'");
  struct stat info {};
  if (fstat(*fd, &info) != 0) return StatusFromErrno(errno, "cannot read '" + path + "'");
  if (!S_ISREG(info.st_mode)) {
    return Status::Error(Status::Code::kInvalidName, "'" + path + "' is not a regular file");
  }
  if (static_cast<std::uint64_t>(info.st_size) > max_bytes) {
    return Status::Error(
        Status::Code::kIoError,
        "'" + path + "' is larger than a journal can be (" + std::to_string(max_bytes) + " bytes)");
  }
  // Reads and writes of a regular file wait for the disk as usual.
  fcntl(*fd, F_SETFL, fcntl(*fd, F_GETFL) & ~O_NONBLOCK);
  return Status::Ok();
}

}  // namespace

Status StateFolder(std::string* folder) {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') {
    *folder = std::string(state) + "/kestrovane";
    return Status::Ok();
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') {
    *folder = std::string(home) + "/.local/state/kestrovane";
    return Status::Ok();
  }
  folder->clear();
  return Status::Error(Status::Code::kNotFound,
                       "no folder for the journal: neither XDG_STATE_HOME nor HOME is an "
                       "absolute path");
}

Status ReadStateFile(const std::string& path, std::uint64_t max_bytes,
                     const std::function<bool(std::string_view piece)>& piece) {
  int raw = -1;
  const Status opened = OpenRegular(path, O_RDONLY, max_bytes, &raw);
  const Descriptor fd(raw);
  if (!opened.ok()) return opened;
  char buffer[64 * 1024];
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return StatusFromErrno(errno, "cannot read '" + path + "'");
    if (got == 0) return Status::Ok();
    // A file that grows while it is read stops at the bound all the same.
    total += static_cast<std::uint64_t>(got);
    if (total > max_bytes) {
      return Status::Error(Status::Code::kIoError, "'" + path + "' grew past its bound");
    }
    if (!piece(std::string_view(buffer, static_cast<std::size_t>(got)))) return Status::Ok();
  }
}

Status CreateStateFile(const std::string& path) {
  const Descriptor fd(
      open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) return StatusFromErrno(errno, "cannot make '" + path + "'");
  return Status::Ok();
}

Status AppendStateFile(const std::string& path, std::string_view text) {
  int raw = -1;
  const Status opened = OpenRegular(path, O_WRONLY | O_APPEND, UINT64_MAX, &raw);
  const Descriptor fd(raw);
  if (!opened.ok()) return opened;
  while (!text.empty()) {
    const ssize_t put = write(fd.get(), text.data(), text.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return StatusFromErrno(errno, "cannot write '" + path + "'");
    text.remove_prefix(static_cast<std::size_t>(put));
  }
  return Status::Ok();
}

bool IsAbsoluteStatePath(std::string_view path) { return path.starts_with('/'); }

}  // namespace kestro
