// PreviewSummary.
#include "batch/preview_summary.h"

#include "engine/printable_text.h"

namespace kestro {

std::string PreviewSummary(const OutcomePreview& preview, const CountText& count) {
  if (preview.stopped_at_check) {
    return "\"Rename!\" would stop with: " + PrintableText(preview.check.text);
  }
  std::size_t renamed = 0;
  std::size_t unchanged = 0;
  for (const PreviewRow& row : preview.rows) {
    renamed += row.why == PreviewRow::Why::kRenamed ? 1 : 0;
    unchanged += row.why == PreviewRow::Why::kUnchanged ? 1 : 0;
  }
  const std::size_t kept = preview.rows.size() - renamed - unchanged;
  std::string text = count(renamed) + " of " + count(preview.rows.size()) + " would be renamed";
  if (unchanged > 0) {
    text += unchanged == 1 ? ", 1 already has its new name"
                           : ", " + count(unchanged) + " already have their new names";
  }
  if (kept > 0) {
    text += kept == 1 ? ", 1 would keep its name" : ", " + count(kept) + " would keep their names";
  }
  return text + ".";
}

}  // namespace kestro
