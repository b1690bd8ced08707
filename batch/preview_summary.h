// The one line above an outcome preview: "3 of 5 would be renamed, 1 already has its new name,
// 1 would keep its name." or, when "Rename!" would stop at an input check, that message.
#pragma once

#include <string>

#include "batch/outcome_preview.h"
#include "batch/report_text.h"

namespace kestro {

[[nodiscard]] std::string PreviewSummary(const OutcomePreview& preview,
                                         const CountText& count = PlainCount);

}  // namespace kestro
