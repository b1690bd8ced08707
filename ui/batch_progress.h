// "Rename!" with a progress dialog: a window batch that runs longer than about half a second
// shows entries done of total and a Cancel button, which stops it before the next entry.
#pragma once

#include "batch/journal.h"
#include "batch/outcome.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"

class QWidget;

namespace kestro {

// Runs the window batch ("Rename!", by TargetKind) on a copy of `state` taken now, so the
// settings it reads stay as they were when it started; the list it refills goes back into
// `state`. Meanwhile the dialog, modal over `window`, is the only window that takes input.
// A cancelled batch keeps what it renamed; its report says cancelled. The batch writes its
// journal in `journal` (none: it cannot be undone).
BatchReport RunWindowBatch(QWidget& window, WindowState& state, FileSystem& fs, const Clock& clock,
                           UiHost& ui, JournalFolder* journal);

}  // namespace kestro
