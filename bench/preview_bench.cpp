// The outcome preview after one edit: the window's file batch over every selected entry of a
// folder of 10,000 or 100,000 names, simulated on an in-memory copy of the names (copy of the
// window state, seeding, every new name, every no-replace rename, the explanations), and the copy
// of the window state that is all an edit costs the window's own thread.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "batch/outcome_preview.h"
#include "platform/memory_file_system.h"

namespace kestro {
namespace {

struct Folder {
  WindowState state;
  FolderNames names;
};

// Files "photo 000000.jpg" ..., all selected, and a few hidden names besides.
Folder MakeFolder(int count, ActiveOperation operation) {
  Folder folder;
  std::vector<std::string> files;
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "photo %06d.jpg", i);
    files.emplace_back(name);
  }
  folder.names.folder = "/photos";
  folder.names.names = files;
  for (const char* hidden : {".directory", ".thumbnails", ".photo 000001.jpg.bak"})
    folder.names.names.emplace_back(hidden);
  folder.state.TargetKind = false;
  folder.state.files_folder = "/photos";
  folder.state.List2.Assign(std::move(files));
  folder.state.List2.SelectAll(true);
  folder.state.active_operation = operation;
  folder.state.extad = ".bak";
  folder.state.case_choice = CaseChoice::uppercase;
  folder.state.numbering.sortleading = true;
  return folder;
}

void BM_PreviewAfterEdit(benchmark::State& bench, ActiveOperation operation) {
  const Folder folder = MakeFolder(static_cast<int>(bench.range(0)), operation);
  const FixedClock clock(CalendarDate{2026, 12, 4});
  MemoryFileSystem platform;  // for its separator only
  for (auto _ : bench) {
    OutcomePreview preview = PreviewBatch(folder.state, clock, platform, folder.names);
    benchmark::DoNotOptimize(preview.rows.data());
  }
  bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}

// Replace with blanks to "_" literally as designed, and the same by a regular expression; then an
// expression with a group and a case change. The expression is compiled once per preview.
void BM_PreviewReplace(benchmark::State& bench, bool regex, const char* a, const char* b) {
  Folder folder = MakeFolder(static_cast<int>(bench.range(0)), ActiveOperation::Replace);
  folder.state.RegexCheck = regex;
  folder.state.Text8 = a;
  folder.state.Text7 = b;
  const FixedClock clock(CalendarDate{2026, 12, 4});
  MemoryFileSystem platform;
  for (auto _ : bench) {
    OutcomePreview preview = PreviewBatch(folder.state, clock, platform, folder.names);
    benchmark::DoNotOptimize(preview.rows.data());
  }
  bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}

// What an edit costs the window's own thread: the copy of the window state handed to the worker.
void BM_SnapshotForPreview(benchmark::State& bench) {
  const Folder folder = MakeFolder(static_cast<int>(bench.range(0)), ActiveOperation::Extension);
  for (auto _ : bench) {
    WindowState copy = folder.state;
    benchmark::DoNotOptimize(copy.List2.entries().data());
  }
}

BENCHMARK(BM_SnapshotForPreview)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterEdit, Extension, ActiveOperation::Extension)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterEdit, CaseUpper, ActiveOperation::Case)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewAfterEdit, Numbering, ActiveOperation::Numbering)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewReplace, Literal, false, " ", "_")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewReplace, Regex, true, " ", "_")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewReplace, RegexGroups, true, "^photo (\\d+)", "\\U$0_$1")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

BENCHMARK_MAIN();
