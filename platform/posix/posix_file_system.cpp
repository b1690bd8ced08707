#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/errno_status.h"
#include "platform/folder_path.h"
#include "platform/listing.h"
#include "platform/name_rules.h"

namespace kestro {

namespace {

Status WorkingFolder(std::string* folder) {
  std::string buffer(256, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return StatusFromErrno(errno, "cannot read the working folder");
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(buffer.find('\0'));
  *folder = std::move(buffer);
  return Status::Ok();
}

int OpenFolderPath(const std::string& folder) {
  return open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// The folder's descriptor for one rename: the run's when there is one, else opened here and
// closed with this object.
class OpenFolder {
 public:
  OpenFolder(const std::string& folder, int run_fd)
      : fd_(run_fd >= 0 ? run_fd : OpenFolderPath(folder)), owned_(run_fd < 0) {}
  ~OpenFolder() {
    if (owned_ && fd_ >= 0) close(fd_);
  }
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;
  [[nodiscard]] int fd() const { return fd_; }

 private:
  int fd_;
  bool owned_;
};

// A path with a NUL in it would reach the system cut short, naming another folder.
bool HoldsNul(std::string_view path) { return path.find('\0') != std::string_view::npos; }

bool SameEntry(int dir_fd, const char* a, const char* b) {
  struct stat sa {};
  struct stat sb {};
  if (fstatat(dir_fd, a, &sa, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (fstatat(dir_fd, b, &sb, AT_SYMLINK_NOFOLLOW) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Whether the folder lists an entry spelled exactly `name`; a folder that cannot be read is taken
// to list it, so that nothing is done on a guess.
bool ListsName(int dir_fd, const std::string& name) {
  const int fd = openat(dir_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = fd < 0 ? nullptr : fdopendir(fd);
  if (dir == nullptr) {
    if (fd >= 0) close(fd);
    return true;
  }
  bool listed = false;
  while (const dirent* entry = readdir(dir)) {
    if (name == entry->d_name) {
      listed = true;
      break;
    }
  }
  closedir(dir);
  return listed;
}

Status StatusOfMove(int error_number) {
  if (error_number == 0) return Status::Ok();
  if (error_number == EEXIST) return Status::Error(Status::Code::kAlreadyExists, kNameExists);
  return StatusFromErrno(error_number);
}

}  // namespace

PosixFileSystem::~PosixFileSystem() { EndRenames(); }

void PosixFileSystem::BeginRenames(const std::string& folder) {
  EndRenames();
  if (HoldsNul(folder)) return;
  run_fd_ = OpenFolderPath(folder);
  if (run_fd_ >= 0) run_folder_ = folder;
}

void PosixFileSystem::EndRenames() {
  if (run_fd_ >= 0) close(run_fd_);
  run_fd_ = -1;
  run_folder_.clear();
}

Status PosixFileSystem::AbsoluteFolder(std::string_view path, std::string* absolute) {
  if (path.empty() || HoldsNul(path)) return StatusFromErrno(ENOENT, CannotOpenFolder(path));
  std::string working;
  if (path.front() != '/') {
    Status status = WorkingFolder(&working);
    if (!status.ok()) return status;
  }
  // A ".." goes where the system takes it: to the parent of what the part before it resolves
  // to, through links, and nowhere when that part is no folder ("missing/..", "file.txt/..").
  std::string result;
  if (const std::size_t up = EndOfLastParentPart(path); up == std::string_view::npos) {
    result = NormalSlashPath(working, path);
  } else {
    char* const real = realpath(std::string(path.substr(0, up)).c_str(), nullptr);
    if (real == nullptr) return StatusFromErrno(errno, CannotOpenFolder(path));
    result = NormalSlashPath(real, path.substr(std::min(up + 1, path.size())));
    std::free(real);
  }
  struct stat st {};
  if (stat(result.c_str(), &st) != 0) return StatusFromErrno(errno, CannotOpenFolder(result));
  if (!S_ISDIR(st.st_mode)) return StatusFromErrno(ENOTDIR, CannotOpenFolder(result));
  *absolute = std::move(result);
  return Status::Ok();
}

Status PosixFileSystem::ListNames(const std::string& folder, EntryKind kind,
                                  std::vector<std::string>* names) {
  names->clear();
  if (HoldsNul(folder)) return StatusFromErrno(ENOENT, CannotOpenFolder(folder));
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return StatusFromErrno(errno, CannotOpenFolder(folder));
  const int dir_fd = dirfd(dir);
  const unsigned char wanted = kind == EntryKind::kFile ? DT_REG : DT_DIR;
  int error_number = 0;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) {
      error_number = errno;
      break;
    }
    if (entry->d_name[0] == '.') continue;
    unsigned char type = entry->d_type;
    // A link counts as what it points to; a file system that leaves the type open is asked.
    if (type == DT_LNK || type == DT_UNKNOWN) {
      struct stat st {};
      if (fstatat(dir_fd, entry->d_name, &st, 0) != 0) continue;  // a dangling link
      type = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : DT_UNKNOWN;
    }
    if (type == wanted) names->emplace_back(entry->d_name);
  }
  closedir(dir);
  if (error_number != 0) {
    names->clear();
    return StatusFromErrno(error_number, "cannot read folder '" + folder + "'");
  }
  return Status::Ok();
}

Status PosixFileSystem::ListAllNames(const std::string& folder, std::vector<std::string>* names) {
  names->clear();
  if (HoldsNul(folder)) return StatusFromErrno(ENOENT, CannotOpenFolder(folder));
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return StatusFromErrno(errno, CannotOpenFolder(folder));
  int error_number = 0;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) {
      error_number = errno;
      break;
    }
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names->emplace_back(name);
  }
  closedir(dir);
  if (error_number != 0) {
    names->clear();
    return StatusFromErrno(error_number, "cannot read folder '" + folder + "'");
  }
  return Status::Ok();
}

Status PosixFileSystem::RenameNoReplace(const std::string& folder, const std::string& old_name,
                                        const std::string& new_name) {
  if (Status s = CheckNewName(*this, new_name); !s.ok()) return s;
  if (Status s = CheckOldName(*this, old_name); !s.ok()) return s;
  if (HoldsNul(folder)) return StatusFromErrno(ENOENT, CannotOpenFolder(folder));
  const OpenFolder dir(folder, folder == run_folder_ ? run_fd_ : -1);
  if (dir.fd() < 0) return StatusFromErrno(errno, CannotOpenFolder(folder));
  if (old_name == new_name) {
    struct stat st {};
    if (fstatat(dir.fd(), old_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      return StatusFromErrno(errno);
    }
    return Status::Ok();
  }
  const int error_number = MoveNoReplace(dir.fd(), old_name.c_str(), new_name.c_str());
  // On a case-insensitive file system a change of letter case alone finds the entry itself under
  // the new name; two no-replace steps through a free name make the change. Any other entry of
  // that name is taken, and nothing is moved.
  if (error_number == EEXIST && NewNameFindsTheEntry(dir.fd(), old_name, new_name)) {
    return MoveThroughTemporary(dir.fd(), old_name, new_name);
  }
  return StatusOfMove(error_number);
}

bool PosixFileSystem::NewNameFindsTheEntry(int dir_fd, const std::string& old_name,
                                           const std::string& new_name) const {
  // An entry spelled exactly as the new name is another entry: a case twin on a case-sensitive
  // disk, or a second name (hard link) of the same file. Otherwise the system found the name by
  // folding case, so it found the entry itself: one inode under both names is the sign on most
  // file systems; FUSE ones may number a lookup by each name apart, so names equal without
  // regard to case count too.
  if (ListsName(dir_fd, new_name)) return false;
  return SameEntry(dir_fd, old_name.c_str(), new_name.c_str()) ||
         FoldCase(old_name) == FoldCase(new_name);
}

int PosixFileSystem::MoveNoReplace(int dir_fd, const char* from, const char* to) const {
  if (method_ == RenameMethod::kClaimThenRename) return MoveOntoClaim(dir_fd, from, to);
  if (method_ == RenameMethod::kAuto) {
    if (renameat2(dir_fd, from, dir_fd, to, RENAME_NOREPLACE) == 0) return 0;
    // EINVAL: the file system does not know the flag (the names themselves were checked);
    // ENOSYS: neither does the kernel.
    if (errno != EINVAL && errno != ENOSYS) return errno;
  }
  struct stat st {};
  if (fstatat(dir_fd, from, &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return MoveOntoClaim(dir_fd, from, to);
  const int error_number = MoveByLink(dir_fd, from, to);
  // EPERM and EOPNOTSUPP: a file system without hard links (FAT, for one); EMLINK: too many.
  if (error_number == EPERM || error_number == EOPNOTSUPP || error_number == EMLINK) {
    return MoveOntoClaim(dir_fd, from, to);
  }
  return error_number;
}

int PosixFileSystem::MoveByLink(int dir_fd, const char* from, const char* to) const {
  // linkat never replaces: a taken new name fails with EEXIST. Without AT_SYMLINK_FOLLOW a
  // symbolic link is linked itself, not what it points to.
  if (linkat(dir_fd, from, dir_fd, to, 0) != 0) return errno;
  if (unlinkat(dir_fd, from, 0) == 0) return 0;
  const int error_number = errno;
  unlinkat(dir_fd, to, 0);  // both names are the same file: keep the old one only
  return error_number;
}

int PosixFileSystem::MoveOntoClaim(int dir_fd, const char* from, const char* to) const {
  struct stat source {};
  if (fstatat(dir_fd, from, &source, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  // The claim: the new name made ours, only if it is free, in one step (O_EXCL, mkdir); a taken
  // name fails here with EEXIST and nothing else is done.
  const bool directory = S_ISDIR(source.st_mode);
  struct stat claim {};
  int made = -1;
  if (directory) {
    if (mkdirat(dir_fd, to, 0) != 0) return errno;
    made = fstatat(dir_fd, to, &claim, AT_SYMLINK_NOFOLLOW);
  } else {
    // No permissions: where the file system keeps them, other programs of a user cannot write
    // into the claim.
    const int fd = openat(dir_fd, to, O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0) return errno;
    made = fstat(fd, &claim);
    close(fd);
  }
  if (made != 0) {  // made, but cannot be told from another entry later: given up
    unlinkat(dir_fd, to, directory ? AT_REMOVEDIR : 0);
    return EIO;
  }
  Step("claimed");
  // Only our own claim, still empty, may be replaced by the rename (a directory's rename fails on
  // a claim that is no longer empty). What is left: another program that writes into the claim,
  // or puts its own entry in its place, between this check and the rename (a span of two system
  // calls) would see what it wrote replaced; no call of a file system without RENAME_NOREPLACE
  // closes that.
  const auto ours = [&] {
    struct stat now {};
    return fstatat(dir_fd, to, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == claim.st_dev &&
           now.st_ino == claim.st_ino && (directory || now.st_size == 0);
  };
  if (!ours()) return EEXIST;  // not ours any more: left as it is
  if (renameat(dir_fd, from, dir_fd, to) == 0) return 0;
  const int error_number = errno;
  if (ours()) unlinkat(dir_fd, to, directory ? AT_REMOVEDIR : 0);
  return error_number;
}

Status PosixFileSystem::MoveThroughTemporary(int dir_fd, const std::string& from,
                                             const std::string& to) {
  const std::string prefix = ".kestro-" + std::to_string(getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Hidden, so a listing made meanwhile never offers it for renaming.
    const std::string temporary = prefix + std::to_string(++temporary_count_);
    int error_number = MoveNoReplace(dir_fd, from.c_str(), temporary.c_str());
    if (error_number == EEXIST) continue;
    if (error_number != 0) return StatusOfMove(error_number);
    Step("parked");
    error_number = MoveNoReplace(dir_fd, temporary.c_str(), to.c_str());
    if (error_number == 0) return Status::Ok();
    const Status failure = StatusOfMove(error_number);
    if (MoveNoReplace(dir_fd, temporary.c_str(), from.c_str()) != 0) {
      return Status::Error(failure.code(),
                           failure.message() + "; the entry was left as '" + temporary + "'");
    }
    return failure;
  }
  return Status::Error(Status::Code::kAlreadyExists, kNameExists);
}

std::string PosixFileSystem::JoinPath(std::string_view folder, std::string_view name) const {
  return JoinSlashPath(folder, name);
}

std::size_t PosixFileSystem::NameLimit(const std::string& folder) {
  if (HoldsNul(folder)) return 0;
  const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : 0;
}

Status PosixFileSystem::CheckNameLength(std::string_view name, std::size_t limit) const {
  if (limit == 0 || name.size() <= limit) return Status::Ok();
  return StatusFromErrno(ENAMETOOLONG);
}

bool PosixFileSystem::HoldsSeparator(std::string_view name) const {
  return name.find('/') != std::string_view::npos;
}

}  // namespace kestro
