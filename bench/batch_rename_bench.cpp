// Renaming 100,000 files of a tmpfs folder through the batch layer (the command-line file batch,
// "-F *.* -C upper": list by mask in natural order, compute every name, safe rename, report),
// beside a bare readdir + renameat2(RENAME_NOREPLACE) loop that makes the same names.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/journal.h"
#include "batch/recording_ui_host.h"
#include "bench/tmpfs_folder.h"
#include "engine/command_args.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {
namespace {

constexpr int kFiles = 100000;

// A fresh tmpfs folder of kFiles empty files; removed at the end.
class FullFolder : public TmpfsFolder {
 public:
  FullFolder() : TmpfsFolder(NumberedNames(kFiles, "photo %06d.jpg")) {
    // Let the kernel finish what creating 100,000 entries left for later, outside the timing.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
};

// Removes the folder and gives the kernel a moment to finish freeing its entries, so that work
// is not charged to the next timed run (timing is paused around both).
void Discard(std::optional<FullFolder>& folder) {
  folder.reset();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

// `journal_folder` empty: no journal; else the batch writes its journal there.
void RunBatchLayer(benchmark::State& state, const std::string& journal_folder) {
  std::size_t done = 0;
  JournalFolder journal(journal_folder);
  for (auto _ : state) {
    state.PauseTiming();
    std::optional<FullFolder> folder(std::in_place);
    PosixFileSystem fs;
    WindowState window;
    window.TargetKind = false;
    window.files_folder = folder->path();
    window.command_line = folder->path() + " -F *.* -C upper";
    window.args = SplitCommandArgs(window.command_line);
    FixedClock clock(CalendarDate{2026, 12, 4});
    RecordingUiHost ui;
    BatchRenamer batch(window, fs, clock, ui);
    if (!journal_folder.empty()) batch.SetJournal(&journal);
    state.ResumeTiming();

    BatchReport report = batch.Command9_Click();

    state.PauseTiming();
    done = report.Count(EntryOutcome::Kind::kDone);
    if (done != kFiles || !report.journal_error.empty()) state.SkipWithError("not every file");
    Discard(folder);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

void BM_BatchLayer(benchmark::State& state) { RunBatchLayer(state, ""); }

// The same with the journal of the batch written to a folder of the disk (the system's temporary
// folder), as the program writes it to the user's state folder.
void BM_BatchLayerWithJournal(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kestro-bench-journal-" + std::to_string(getpid()));
  RunBatchLayer(state, folder.string());
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// The journal alone, as a batch of kFiles renames writes it: every planned rename before the
// first, then a note per rename. No folder is renamed; this is the whole of what the journal adds.
void BM_JournalAlone(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kestro-bench-journal-" + std::to_string(getpid()));
  JournalFolder journal(folder.string());
  std::vector<std::string> old_names;
  std::vector<std::string> new_names;
  for (int i = 0; i < kFiles; ++i) {
    old_names.push_back("photo " + std::to_string(100000 + i) + ".jpg");
    new_names.push_back("PHOTO " + std::to_string(100000 + i) + ".JPG");
  }
  for (auto _ : state) {
    std::size_t next = 0;
    const auto renames = [&](std::string_view* old_name, std::string_view* new_name) {
      if (next == old_names.size()) return false;
      *old_name = old_names[next];
      *new_name = new_names[next++];
      return true;
    };
    JournalWriter writer;
    if (!journal.Begin("/dev/shm/photos", Journal::Origin::kWindow, renames, &writer).ok())
      state.SkipWithError("no journal");
    for (int i = 0; i < kFiles; ++i) writer.Made(i, true);
    writer.Close();
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void BM_BareLoop(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::optional<FullFolder> folder(std::in_place);
    state.ResumeTiming();

    // The names first: renaming while reading the folder would meet renamed entries again.
    DIR* dir = opendir(folder->path().c_str());
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.' && entry->d_type == DT_REG) names.emplace_back(entry->d_name);
    }
    const int dir_fd = dirfd(dir);
    int renamed = 0;
    std::string new_name;
    for (const std::string& name : names) {
      new_name = name;
      for (char& c : new_name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (renameat2(dir_fd, name.c_str(), dir_fd, new_name.c_str(), RENAME_NOREPLACE) == 0) {
        ++renamed;
      }
    }
    closedir(dir);

    state.PauseTiming();
    if (renamed != kFiles) state.SkipWithError("not every file was renamed");
    Discard(folder);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

// The bare loop's names through the platform's safe rename alone (no listing order, no batch):
// how much of the gap between the two above is the rename call itself.
void BM_PlatformRenameLoop(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::optional<FullFolder> folder(std::in_place);
    PosixFileSystem fs;
    state.ResumeTiming();

    std::vector<std::string> names;
    fs.ListNames(folder->path(), EntryKind::kFile, &names);
    int renamed = 0;
    std::string new_name;
    for (const std::string& name : names) {
      new_name = name;
      for (char& c : new_name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      renamed += fs.RenameNoReplace(folder->path(), name, new_name).ok() ? 1 : 0;
    }

    state.PauseTiming();
    if (renamed != kFiles) state.SkipWithError("not every file was renamed");
    Discard(folder);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

BENCHMARK(BM_BatchLayer)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_BatchLayerWithJournal)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_JournalAlone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlatformRenameLoop)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
}  // namespace kestro

BENCHMARK_MAIN();
