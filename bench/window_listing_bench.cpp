// The window listing a folder of 100,000 files: List2 refilled from a tmpfs folder as the window
// does when a folder is chosen (readdir, mask, natural order), its model reset and the list view
// laid out and painted offscreen; and the model and view alone, on a list already filled.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "batch/batch_renamer.h"
#include "batch/recording_ui_host.h"
#include "bench/tmpfs_folder.h"
#include "platform/posix/posix_file_system.h"
#include "ui/selectable_list_model.h"
#include "ui/selectable_list_view.h"

namespace kestro {
namespace {

constexpr int kFiles = 100000;

// A window's List2 on a folder of `kFiles` files, shown offscreen at the window's size.
struct ListedWindow {
  ListedWindow()
      : folder(NumberedNames(kFiles, "photo %06d.jpg")),
        batch(state, fs, clock, host),
        model(state.List2),
        view(model, nullptr) {
    state.files_folder = folder.path();
    state.file_mask = "*.*";
    view.resize(217, 144);
    view.show();
  }
  // Lays the view out and paints what it shows, as the event loop would after a change.
  void Show() {
    QApplication::processEvents();
    view.viewport()->repaint();
  }

  TmpfsFolder folder;
  WindowState state;
  PosixFileSystem fs;
  FixedClock clock{CalendarDate{2026, 12, 6}};
  RecordingUiHost host;
  BatchRenamer batch;
  SelectableListModel model;
  SelectableListView view;
};

void BM_WindowListsFolder(benchmark::State& bench) {
  ListedWindow window;
  for (auto _ : bench) {
    if (!window.batch.File1_PathChange().ok()) bench.SkipWithError("listing failed");
    window.model.Reload();
    window.Show();
  }
  if (window.state.List2.size() != kFiles) bench.SkipWithError("not every file listed");
  bench.SetItemsProcessed(bench.iterations() * kFiles);
}

void BM_WindowShowsListedFolder(benchmark::State& bench) {
  ListedWindow window;
  if (!window.batch.File1_PathChange().ok()) bench.SkipWithError("listing failed");
  for (auto _ : bench) {
    window.model.Reload();
    window.Show();
  }
  bench.SetItemsProcessed(bench.iterations() * kFiles);
}

BENCHMARK(BM_WindowListsFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowShowsListedFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kestro

int main(int argc, char** argv) {
  // No display needed: the offscreen platform unless one is asked for.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
