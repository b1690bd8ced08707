#include "ui/status_line.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;

EntryOutcome Entry(const char* old_name, const char* new_name, Kind kind, const char* reason = "") {
  return EntryOutcome{old_name, new_name, kind, reason};
}

BatchReport Ran() {
  BatchReport report;
  report.ran = true;
  return report;
}

TEST(DescribeBatchTest, NothingRunSaysNothing) { EXPECT_EQ(DescribeBatch(BatchReport{}), ""); }

TEST(DescribeBatchTest, ARunOverNoEntriesSaysSo) {
  EXPECT_EQ(DescribeBatch(Ran()), "Renamed 0 of 0 entries.");
}

TEST(DescribeBatchTest, AllRenamed) {
  BatchReport report = Ran();
  report.entries = {Entry("a", "b", Kind::kDone), Entry("c", "d", Kind::kDone)};
  EXPECT_EQ(DescribeBatch(report), "Renamed 2 of 2 entries.");
}

TEST(DescribeBatchTest, CountsUnchangedAndKeptWithReasons) {
  BatchReport report = Ran();
  report.entries = {Entry("a.txt", "b.txt", Kind::kKept, "a file of that name exists"),
                    Entry("c", "c", Kind::kUnchanged), Entry("d", "e", Kind::kDone),
                    Entry("f", "", Kind::kNoName)};
  EXPECT_EQ(DescribeBatch(report),
            "Renamed 1 of 4 entries; 1 already had its new name; 2 kept their names: "
            "'a.txt' to 'b.txt': a file of that name exists; 'f': no new name could be computed.");
}

TEST(DescribeBatchTest, GivesTheFirstReasonsThenHowManyMore) {
  BatchReport report = Ran();
  for (const char* name : {"1", "2", "3", "4", "5"}) {
    report.entries.push_back(Entry(name, "x", Kind::kKept, "busy"));
  }
  EXPECT_EQ(DescribeBatch(report, 2),
            "Renamed 0 of 5 entries; 5 kept their names: '1' to 'x': busy; '2' to 'x': busy; "
            "and 3 more.");
}

TEST(DescribeBatchTest, SingleEntryAndStopped) {
  BatchReport report = Ran();
  report.entries = {Entry("a", "b", Kind::kKept, "in use")};
  report.cancelled = true;
  EXPECT_EQ(DescribeBatch(report),
            "Renamed 0 of 1 entry; 1 kept its name: 'a' to 'b': in use. Stopped before the end.");
}

}  // namespace
}  // namespace kestro
