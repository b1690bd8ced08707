// A fresh folder of empty files on a tmpfs (/dev/shm where there is one), for the benchmarks that
// list and rename real entries; the folder goes with the object.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace kestro {

class TmpfsFolder {
 public:
  explicit TmpfsFolder(const std::vector<std::string>& names) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "kestro-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) abort();
    path_ = pattern;
    const int dir_fd = open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const std::string& name : names) {
      const int fd = openat(dir_fd, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
      if (fd < 0) abort();
      close(fd);
    }
    close(dir_fd);
  }
  ~TmpfsFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TmpfsFolder(const TmpfsFolder&) = delete;
  TmpfsFolder& operator=(const TmpfsFolder&) = delete;
  [[nodiscard]] const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// `count` names from a printf format with one int, e.g. "photo %06d.jpg".
inline std::vector<std::string> NumberedNames(int count, const char* format) {
  std::vector<std::string> names;
  names.reserve(count);
  char name[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, format, i);
    names.emplace_back(name);
  }
  return names;
}

}  // namespace kestro
