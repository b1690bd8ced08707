// DescribeBatch.
#include "ui/status_line.h"

namespace kestro {
namespace {

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Reason(const EntryOutcome& entry) {
  if (entry.kind == EntryOutcome::Kind::kNoName) {
    return "'" + entry.old_name + "': " +
           (entry.reason.empty() ? std::string("no new name could be computed") : entry.reason);
  }
  return "'" + entry.old_name + "' to '" + entry.new_name + "': " + entry.reason;
}

}  // namespace

std::string DescribeBatch(const BatchReport& report, std::size_t max_reasons) {
  if (!report.ran) return "";
  const std::size_t done = report.Count(EntryOutcome::Kind::kDone);
  const std::size_t unchanged = report.Count(EntryOutcome::Kind::kUnchanged);
  const std::size_t kept =
      report.Count(EntryOutcome::Kind::kKept) + report.Count(EntryOutcome::Kind::kNoName);

  std::string text = "Renamed " + std::to_string(done) + " of " +
                     Plural(report.entries.size(), "entry", "entries");
  if (unchanged > 0) {
    text += "; " + std::to_string(unchanged) +
            (unchanged == 1 ? " already had its new name" : " already had their new names");
  }
  if (kept > 0) {
    text += "; " + std::to_string(kept) + (kept == 1 ? " kept its name: " : " kept their names: ");
    std::size_t shown = 0;
    for (const EntryOutcome& entry : report.entries) {
      if (entry.kind != EntryOutcome::Kind::kKept && entry.kind != EntryOutcome::Kind::kNoName) {
        continue;
      }
      if (shown == max_reasons) break;
      text += (shown > 0 ? "; " : "") + Reason(entry);
      ++shown;
    }
    if (kept > shown) text += "; and " + std::to_string(kept - shown) + " more";
  }
  text += ".";
  if (report.cancelled) text += " Stopped before the end.";
  return text;
}

}  // namespace kestro
