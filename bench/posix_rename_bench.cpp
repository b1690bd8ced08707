// One safe rename through PosixFileSystem (open the folder, renameat2 with RENAME_NOREPLACE,
// close), the same inside an announced run (folder opened once), and the bare renameat2 call on
// a folder opened once: 100,000 files of a tmpfs folder renamed to upper case and back.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "bench/tmpfs_folder.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {
namespace {

constexpr int kFiles = 100000;

// A tmpfs folder of kFiles files named in lower case, and their upper-case names.
class FullFolder {
 public:
  FullFolder()
      : lower_(NumberedNames(kFiles, "photo %06d.jpg")),
        upper_(NumberedNames(kFiles, "PHOTO %06d.JPG")),
        folder_(lower_) {}
  [[nodiscard]] const std::string& path() const { return folder_.path(); }
  // The present names and the names to give them, swapped on each call.
  std::pair<const std::vector<std::string>*, const std::vector<std::string>*> NextRound() {
    upper_now_ = !upper_now_;
    return upper_now_ ? std::pair{&lower_, &upper_} : std::pair{&upper_, &lower_};
  }

 private:
  std::vector<std::string> lower_;
  std::vector<std::string> upper_;
  TmpfsFolder folder_;
  bool upper_now_ = false;
};

void BM_PosixFileSystemRename(benchmark::State& state) {
  FullFolder folder;
  PosixFileSystem fs;
  for (auto _ : state) {
    const auto [from, to] = folder.NextRound();
    for (int i = 0; i < kFiles; ++i) {
      if (!fs.RenameNoReplace(folder.path(), (*from)[i], (*to)[i]).ok()) {
        state.SkipWithError("a rename failed");
        return;
      }
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

// The same inside an announced run, as a batch does: the folder is opened once.
void BM_PosixFileSystemRenameInRun(benchmark::State& state) {
  FullFolder folder;
  PosixFileSystem fs;
  for (auto _ : state) {
    const auto [from, to] = folder.NextRound();
    RenameRun run(fs, folder.path());
    for (int i = 0; i < kFiles; ++i) {
      if (!fs.RenameNoReplace(folder.path(), (*from)[i], (*to)[i]).ok()) {
        state.SkipWithError("a rename failed");
        return;
      }
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

void BM_BareRenameat2(benchmark::State& state) {
  FullFolder folder;
  const int dir_fd = open(folder.path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  for (auto _ : state) {
    const auto [from, to] = folder.NextRound();
    for (int i = 0; i < kFiles; ++i) {
      if (renameat2(dir_fd, (*from)[i].c_str(), dir_fd, (*to)[i].c_str(), RENAME_NOREPLACE) != 0) {
        state.SkipWithError("a rename failed");
        break;
      }
    }
  }
  close(dir_fd);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

BENCHMARK(BM_PosixFileSystemRename)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_PosixFileSystemRenameInRun)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_BareRenameat2)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace
}  // namespace kestro

BENCHMARK_MAIN();
