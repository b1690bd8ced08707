// What Undo says about the batch it would take back, in both windows and on the command line, and
// when a window asks before it takes a batch back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/journal.h"
#include "batch/report_text.h"
#include "batch/ui_host.h"

namespace kestro {

// When, as the machine's local time: "2026-12-07 03:34"; empty for 0 (not known).
[[nodiscard]] std::string LocalTimeText(std::int64_t seconds_since_1970);

// The batch of `journal`: "3 entries in '/home/ann/Photos', renamed 2026-12-07 03:34 from the
// command line" ("in the window"); an older journal that does not say leaves out where, and one
// without a time, when. The count is of the renames still to take back.
[[nodiscard]] std::string UndoSubject(const Journal& journal, const CountText& count = PlainCount);

// The Undo button's tooltip, `keys` (" (Alt+U)", say) after its first part: "Give the entries of
// the last batch their old names back (Alt+U): 3 entries in ..."; with no batch to take back
// (`newest` null), ": nothing to undo".
[[nodiscard]] std::string UndoToolTip(const Journal* newest, std::string_view keys,
                                      const CountText& count = PlainCount);

// The sentence a window's status line ends with while there is a batch to take back: "Undo takes
// back 3 entries in ... ."; empty with none.
[[nodiscard]] std::string UndoLine(const Journal* newest, const CountText& count = PlainCount);

// Whether a window asks before it takes back `journal`: unless the batch was made in this window
// (its journal is one of `made_here`) on the folder it shows (`folder_shown`).
[[nodiscard]] bool UndoAsksFirst(const Journal& journal, const std::vector<std::string>& made_here,
                                 std::string_view folder_shown);

// The question it asks, with OK and Cancel, Cancel the default: "Take back 3 entries in ...?"
[[nodiscard]] Message UndoQuestion(const Journal& journal, const CountText& count = PlainCount);

}  // namespace kestro
