// Undo of a batch from its journal (batch/journal.h): the entries it renamed go back to their old
// names, last first, with the same no-replace rename, whether the batch ran in the window or on
// the command line, and also when it was killed half-way.
#pragma once

#include <cstddef>
#include <functional>
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

// Asked before each entry with how many are done of how many; false stops the undo there.
using UndoProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The journal an undo takes back: the newest not yet taken back with a rename to take back.
// Renames the journal does not say were made or not are decided from the folder, as UndoJournal
// decides them, so a batch that renamed nothing is passed over. kNotFound ("Nothing to undo.")
// when there is none.
Status NewestToUndo(FileSystem& fs, const JournalFolder& journals, Journal* journal);

// Takes back the renames of `journal` that were made, last first. A rename the journal does not
// say was made or not (the batch was killed before it noted it) counts as made when the folder
// holds its new name and not its old one.
UndoReport UndoJournal(FileSystem& fs, const Journal& journal, const UndoProgress& progress = {});

// Notes in the journal what the undo of it did: taken back as a whole when every rename went
// back; otherwise (stopped before its end, or some could not go back, the folder moved away, say)
// only the renames that went back, so that the next undo takes back the rest.
Status NoteUndo(const JournalFolder& journals, const Journal& journal, const UndoReport& report);

}  // namespace kestro
