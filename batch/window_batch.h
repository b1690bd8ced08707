// "Rename!" in a window, whatever its toolkit: the batch of the page in force run on a copy of the
// state taken at the click, and where a picker page goes after a batch or an undo renamed its
// folder (or one above it).
#pragma once

#include <string>

#include "batch/batch_renamer.h"
#include "batch/journal.h"
#include "batch/outcome.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace kestro {

// Runs the window batch ("Rename!", by TargetKind) on a copy of `state` taken now, so the
// settings it reads stay as they were when it started, however the window changes meanwhile; the
// list it refills goes back into `state`. `progress` is asked before each entry (false cancels:
// what was renamed stays renamed, the report says cancelled). The journal goes to `journal`
// (none: the batch cannot be undone).
BatchReport RunWindowBatch(WindowState& state, FileSystem& fs, const Clock& clock, UiHost& ui,
                           JournalFolder* journal, const BatchRenamer::ProgressHook& progress);

// Where a page open on `was` should be after `report`: the folder's new name when the batch
// renamed it or a folder above it; the nearest folder above that is still there when it is gone.
// `gone_note` is set when it is gone: what the user should be told. Empty: the page stays.
[[nodiscard]] std::string FolderAfterBatch(FileSystem& fs, const std::string& was,
                                           const BatchReport& report, bool directories,
                                           std::string* gone_note);

}  // namespace kestro
