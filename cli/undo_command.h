// "kestro --undo": takes back the newest batch the journal holds that was not taken back yet,
// from the window or the command line, also one that was killed half-way.
#pragma once

#include <ostream>

#include "batch/journal.h"
#include "platform/file_system.h"

namespace kestro {

// With `dry_run` nothing is renamed and the batch stays in the journal: a line
// "'NOW' -> 'BEFORE'" on `out` for each entry that would get its old name back. Without, the
// entries go back (last renamed first, never replacing anything) and the batch is marked taken
// back. Either way each entry that cannot go back gets "kestro: cannot rename 'NOW' to 'BEFORE':
// REASON" on `err`. 0 when every entry went (or would go) back; 1 otherwise, and when there is
// nothing to undo ("kestro: Nothing to undo.").
int UndoCommand(FileSystem& fs, const JournalFolder& journal, bool dry_run, std::ostream& out,
                std::ostream& err);

}  // namespace kestro
