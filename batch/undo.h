// Undo of a batch from its journal (batch/journal.h): the entries it renamed go back to their old
// names, last first, with the same no-replace rename, whether the batch ran in the window or on
// the command line, and also when it was killed half-way.
#pragma once

#include <cstddef>
#include <string>

#include "batch/journal.h"
#include "batch/outcome.h"
#include "platform/file_system.h"

namespace kestro {

// What an undo did: per renamed entry of the batch, last first, whether it got its old name
// back. In each EntryOutcome old_name is the name it had after the batch and new_name the name
// it goes back to; kDone, or kKept with the reason (its old name was taken meanwhile, it has
// vanished, ...).
using UndoReport = BatchReport;

// Takes back the renames of `journal` that were made, last first. A rename the journal does not
// say was made or not (the batch was killed before it noted it) counts as made when the folder
// holds its new name and not its old one.
UndoReport UndoJournal(FileSystem& fs, const Journal& journal);

// The status line after an undo, e.g. "Undo: 3 of 4 entries have their old names back; 1 could
// not go back: 'b' to 'a': a file of that name exists." Reasons of at most `max_reasons` entries.
[[nodiscard]] std::string DescribeUndo(const UndoReport& report, std::size_t max_reasons = 3);

}  // namespace kestro
