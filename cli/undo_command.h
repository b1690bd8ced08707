// "kestro --undo": takes back the newest batch the journal holds that was not taken back yet,
// from the window or the command line, also one that was killed half-way; "kestro --undo --list"
// lists the kept journals.
#pragma once

#include <ostream>

#include "batch/journal.h"
#include "platform/file_system.h"

namespace kestro {

// First says on `err` which batch it takes back ("kestro: taking back 3 entries in '/p', renamed
// 2026-12-07 03:34 from the command line"). With `dry_run` nothing is renamed and the batch stays
// in the journal: the folder ("'/p':") on `out`, then a line "'NOW' -> 'BEFORE'" for each entry
// that would get its old name back. Without, the entries go back (last renamed first, never
// replacing anything) and the journal notes what went back. Either way each entry that cannot go
// back gets "kestro: cannot rename 'NOW' to 'BEFORE': REASON" on `err`. 0 when every entry went
// (or would go) back; 1 otherwise, and when there is nothing to undo ("kestro: Nothing to
// undo.") or no journal folder.
int UndoCommand(FileSystem& fs, const JournalFolder& journal, bool dry_run, std::ostream& out,
                std::ostream& err);

// The kept journals on `out`, newest first, one line each: "2026-12-07 03:34  '/p'  3 entries
// from the command line, not taken back" ("taken back" once it was). A journal that is refused
// gets "kestro: journal 'FILE' left out: REASON" on `err`. 0, or 1 without a journal folder.
int UndoListCommand(const JournalFolder& journal, std::ostream& out, std::ostream& err);

}  // namespace kestro
