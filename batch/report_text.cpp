// DescribeBatch, DescribeUndo and KeptReasons.
#include "batch/report_text.h"

namespace kestro {
namespace {

using Kind = EntryOutcome::Kind;

bool Kept(const EntryOutcome& entry) {
  return entry.kind == Kind::kKept || entry.kind == Kind::kNoName;
}

std::string Reason(const EntryOutcome& entry) {
  if (entry.kind == Kind::kNoName || entry.new_name.empty()) {
    return "'" + entry.old_name + "': " +
           (entry.reason.empty() ? std::string("no new name could be computed") : entry.reason);
  }
  return "'" + entry.old_name + "' to '" + entry.new_name + "': " + entry.reason;
}

// "; N kept their names: REASON; REASON; and M more" with `kept` as its middle words.
std::string KeptPart(const BatchReport& report, std::size_t kept, const std::string& words,
                     const CountText& count, std::size_t max_reasons) {
  std::string text = "; " + count(kept) + words;
  std::size_t shown = 0;
  for (const EntryOutcome& entry : report.entries) {
    if (!Kept(entry)) continue;
    if (shown == max_reasons) break;
    text += (shown > 0 ? "; " : "") + Reason(entry);
    ++shown;
  }
  if (kept > shown) text += "; and " + count(kept - shown) + " more";
  return text;
}

// "of 4 entries" for a whole run; a cancelled one says how far it came at its end instead.
std::string OfTotal(const BatchReport& report, const CountText& count) {
  const std::size_t total = report.cancelled ? report.planned : report.entries.size();
  if (report.cancelled) return " of " + count(total);
  return " of " + count(total) + (total == 1 ? " entry" : " entries");
}

std::string StoppedPart(const BatchReport& report, const CountText& count) {
  if (!report.cancelled) return "";
  const std::size_t left = report.planned - report.entries.size();
  return left == 1 ? "; stopped before the last one" : "; stopped before the other " + count(left);
}

}  // namespace

std::string PlainCount(std::size_t n) { return std::to_string(n); }

std::string DescribeBatch(const BatchReport& report, const CountText& count,
                          std::size_t max_reasons) {
  if (!report.ran) return "";
  const std::size_t done = report.Count(Kind::kDone);
  const std::size_t unchanged = report.Count(Kind::kUnchanged);
  const std::size_t kept = report.Count(Kind::kKept) + report.Count(Kind::kNoName);
  std::string text = "Renamed " + count(done) + OfTotal(report, count);
  if (unchanged > 0) {
    text += "; " + count(unchanged) +
            (unchanged == 1 ? " already had its new name" : " already had their new names");
  }
  if (kept > 0) {
    text += KeptPart(report, kept, kept == 1 ? " kept its name: " : " kept their names: ", count,
                     max_reasons);
  }
  return text + StoppedPart(report, count) + ".";
}

std::string DescribeUndo(const BatchReport& report, const CountText& count,
                         std::size_t max_reasons) {
  if (!report.ran) return "Nothing to undo.";
  const std::size_t back = report.Count(Kind::kDone);
  std::string text = "Undo: " + count(back) + OfTotal(report, count) +
                     (back == 1 ? " has its old name back" : " have their old names back");
  const std::size_t kept = report.entries.size() - back;
  if (kept > 0) text += KeptPart(report, kept, " could not go back: ", count, max_reasons);
  return text + StoppedPart(report, count) + ".";
}

std::vector<std::string> KeptReasons(const BatchReport& report) {
  std::vector<std::string> lines;
  for (const EntryOutcome& entry : report.entries) {
    if (Kept(entry)) lines.push_back(Reason(entry));
  }
  return lines;
}

}  // namespace kestro
