// Names per second that ProcessString transforms, one benchmark per mode, on a mixed set of
// names (plain ASCII, accented Latin, CJK, emoji) like those a batch meets in one folder.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/beginning_bit.h"
#include "engine/process_string.h"

namespace kestro {
namespace {

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = {
      "IMG_20261204_101500.jpg",
      "Quarterly Report FINAL v2.docx",
      "été à la plage - résumé.txt",
      "日本の写真 2026.png",
      "party 🎉 night 😀.mov",
      "README",
      "archive.tar.gz",
      "a very long file name with many words in it to make the scan work harder.pdf",
  };
  return names;
}

void RunMode(benchmark::State& state, const RenameOperation& op,
             const NumberingValues& numbers = {}) {
  const CalendarDate today{2026, 12, 4};
  const std::vector<std::string>& names = Names();
  for (auto _ : state) {
    for (const std::string& name : names) {
      benchmark::DoNotOptimize(ProcessString(name, op, numbers, today));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}

RenameOperation Op(RenameMode mode, std::string param1, std::string param2 = "",
                   bool keep_extension = false) {
  RenameOperation op;
  op.mode = mode;
  op.param1 = std::move(param1);
  op.param2 = std::move(param2);
  op.keep_extension = keep_extension;
  op.common_style.captions = MakeDateCaptions({2026, 12, 4});
  return op;
}

void BM_CommonStyle(benchmark::State& state) { RunMode(state, Op(RenameMode::CommonStyle, "")); }
void BM_StripLeft(benchmark::State& state) { RunMode(state, Op(RenameMode::Strip, "3", "1")); }
void BM_StripRightKeepExtension(benchmark::State& state) {
  RunMode(state, Op(RenameMode::Strip, "2", "2", true));
}
void BM_Replace(benchmark::State& state) { RunMode(state, Op(RenameMode::Replace, "e", "_")); }
void BM_CaseUpper(benchmark::State& state) { RunMode(state, Op(RenameMode::Case, "1")); }
void BM_CaseSentence(benchmark::State& state) { RunMode(state, Op(RenameMode::Case, "3")); }
void BM_Extension(benchmark::State& state) { RunMode(state, Op(RenameMode::Extension, ".bak")); }
void BM_Literal(benchmark::State& state) {
  RunMode(state, Op(RenameMode::Literal, "$DATE1 - $NAME"));
}
void BM_NumberingDescendingZeros(benchmark::State& state) {
  RunMode(state, Op(RenameMode::Numbering, "2", "1"), {7, 999, 3});
}
void BM_NoOperation(benchmark::State& state) { RunMode(state, Op(RenameMode::None, "")); }

BENCHMARK(BM_CommonStyle);
BENCHMARK(BM_StripLeft);
BENCHMARK(BM_StripRightKeepExtension);
BENCHMARK(BM_Replace);
BENCHMARK(BM_CaseUpper);
BENCHMARK(BM_CaseSentence);
BENCHMARK(BM_Extension);
BENCHMARK(BM_Literal);
BENCHMARK(BM_NumberingDescendingZeros);
BENCHMARK(BM_NoOperation);

}  // namespace
}  // namespace kestro

BENCHMARK_MAIN();
