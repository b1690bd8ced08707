// Listing 100,000 files the way every list is filled (readdir, mask, natural order), beside a
// bare readdir loop on the same tmpfs folder, and the natural-order sort on its own.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "bench/tmpfs_folder.h"
#include "platform/listing.h"
#include "platform/memory_file_system.h"
#include "platform/posix/posix_file_system.h"

namespace kestro {
namespace {

constexpr int kFiles = 100000;

// Names as a camera and a person make them: numbered, mixed case, some accents, shuffled.
std::vector<std::string> SampleNames() {
  std::vector<std::string> names;
  names.reserve(kFiles);
  char name[64];
  for (int i = 0; i < kFiles; ++i) {
    switch (i % 4) {
      case 0:
        std::snprintf(name, sizeof name, "IMG_%d.JPG", i);
        break;
      case 1:
        std::snprintf(name, sizeof name, "img%05d.jpg", i);
        break;
      case 2:
        std::snprintf(name, sizeof name, "Été %d - plage.jpg", i);
        break;
      default:
        std::snprintf(name, sizeof name, "notes %d.txt", i);
        break;
    }
    names.emplace_back(name);
  }
  std::shuffle(names.begin(), names.end(), std::mt19937(42));
  return names;
}

// Lists the files of `folder` in `fs` with `mask` once per iteration.
void TimeListing(benchmark::State& state, FileSystem& fs, const std::string& folder,
                 const char* mask) {
  std::vector<std::string> names;
  for (auto _ : state) {
    if (!ListEntries(fs, folder, EntryKind::kFile, mask, &names).ok()) {
      state.SkipWithError("listing failed");
    }
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

void BM_ListEntriesTmpfs(benchmark::State& state) {
  const TmpfsFolder folder(SampleNames());
  PosixFileSystem fs;
  TimeListing(state, fs, folder.path(), "*.jpg");
}

void BM_BareReaddirTmpfs(benchmark::State& state) {
  const TmpfsFolder folder(SampleNames());
  std::vector<std::string> names;
  for (auto _ : state) {
    names.clear();
    DIR* dir = opendir(folder.path().c_str());
    while (const dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.' && entry->d_type == DT_REG) names.emplace_back(entry->d_name);
    }
    closedir(dir);
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

void BM_ListEntriesMemory(benchmark::State& state) {
  MemoryFileSystem fs;
  for (const std::string& name : SampleNames()) fs.AddFile("/photos", name);
  TimeListing(state, fs, "/photos", "*.*");
}

// One long run of numbered photos, zero-padded, so every comparison reaches a digit run.
void BM_ListEntriesMemoryPhotos(benchmark::State& state) {
  std::vector<std::string> sample;
  sample.reserve(kFiles);
  char name[64];
  for (int i = 0; i < kFiles; ++i) {
    std::snprintf(name, sizeof name, "photo %06d final.JPG", i);
    sample.emplace_back(name);
  }
  std::shuffle(sample.begin(), sample.end(), std::mt19937(7));
  MemoryFileSystem fs;
  for (const std::string& n : sample) fs.AddFile("/photos", n);
  TimeListing(state, fs, "/photos", "");
}

// Sorting with the two-name comparison, which folds both names on every call.
void BM_SortWithNaturalLess(benchmark::State& state) {
  const std::vector<std::string> sample = SampleNames();
  for (auto _ : state) {
    std::vector<std::string> names = sample;
    std::sort(names.begin(), names.end(), NaturalLess);
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFiles);
}

BENCHMARK(BM_ListEntriesTmpfs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareReaddirTmpfs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListEntriesMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListEntriesMemoryPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortWithNaturalLess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kestro

BENCHMARK_MAIN();
