// The transformation of one name by one operation, and its two text helpers.
#pragma once

#include <string>
#include <string_view>

#include "engine/calendar_date.h"
#include "engine/entry_dates.h"
#include "engine/rename_operation.h"

namespace kestro {

// The new name of `name` under `op`. `numbers` matter only for Numbering, `today` only for
// Literal. `dates` are the entry's own dates, for "$TAKEN", "$MODIFIED" and their forms in a
// Literal template and for a common-style date prefix whose date_choice is not Today; an entry
// whose needed date is missing (or with no `dates` given) keeps its name, and `failure` says why
// ("it holds no date taken"). A step that cannot be carried out is skipped and the name keeps the
// value it had before that step. A name that is not valid UTF-8 comes back unchanged. A regular
// expression that does not compile, or hits its match limit on this name, also leaves the name
// unchanged and says why in `failure` (when given): the name is then not the operation's result.
[[nodiscard]] std::string ProcessString(std::string_view name, const RenameOperation& op,
                                        const NumberingValues& numbers, const CalendarDate& today,
                                        std::string* failure = nullptr,
                                        const EntryDates* dates = nullptr);

// Which of the entry's dates a Literal template puts in: "$TAKEN..." and "$MODIFIED..." found
// as ProcessString finds them. `taken` and `modified` are set, never cleared.
void LiteralDatesNeeded(std::string_view template_text, bool* taken, bool* modified);

// Every occurrence of `find` in `source`, matched without regard to letter case, replaced by
// `replacement` (its case kept). Left to right, no overlaps, inserted text never searched again.
// An empty `find` returns `source`.
[[nodiscard]] std::string ReplaceAll(std::string_view source, std::string_view find,
                                     std::string_view replacement);

// As ReplaceAll, but `find` matches only in its own letter case.
[[nodiscard]] std::string ReplaceAllMatchCase(std::string_view source, std::string_view find,
                                              std::string_view replacement);

// First character upper case; every other character upper case after a blank (" "), lower case
// otherwise: "my_file NAME.TXT" -> "My_file Name.txt".
[[nodiscard]] std::string SentenceCase(std::string_view text);

}  // namespace kestro
