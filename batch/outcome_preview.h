// The outcome preview: the window batch run against a simulation of its folder (an in-memory
// file system seeded with every name the folder holds), so it shows what "Rename!" would do.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "batch/outcome.h"
#include "batch/simulated_folder.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace kestro {

struct PreviewRow {
  enum class Why {
    kRenamed,         // gets new_name
    kUnchanged,       // new_name equals the old one
    kTakenByRenamed,  // an entry renamed earlier in this batch (`taken_by`) got new_name first
    kTakenByLater,    // new_name is the present name of `taken_by`, which is renamed later:
                      // there is one pass, so the name is not free yet
    kTakenByPresent,  // new_name is the present name of `taken_by`, which keeps it (it is not
                      // in the batch, or keeps its name in it)
    kRefused,         // new_name is empty, ".", "..", or holds a separator (outcome.reason)
    kNoName,          // no new name can be computed; `message` is what the batch would show
    kFailed,          // kept for another reason (outcome.reason)
  };
  EntryOutcome outcome;
  Why why = Why::kRenamed;
  std::string taken_by;
  std::string message;
  // The entry's date that the operation in force uses (DatesInUse), as the windows show it
  // ("2026-12-04 09:05:07"), or why it has none ("it holds no date taken"); empty when the
  // operation uses no date of the entry's own.
  std::string date;
};

struct OutcomePreview {
  // The batch would stop at an input check before renaming anything; `check` is its message.
  bool stopped_at_check = false;
  Message check;
  std::vector<PreviewRow> rows;  // the selected entries in batch order
  bool complete = true;          // false when `keep_going` stopped the preview early
};

// What "Rename!" would do with `state` (window mode, the target page by TargetKind) in the folder
// whose present names are `names`, which must be the chosen folder of that page. `platform` is
// the real file system, whose separators a new name must not hold. Nothing is shown: the messages
// the batch would show are recorded in the result. `keep_going` is asked before each entry;
// false ends the preview there, incomplete.
[[nodiscard]] OutcomePreview PreviewBatch(WindowState state, const Clock& clock,
                                          const FileSystem& platform, const FolderNames& names,
                                          const std::function<bool()>& keep_going = {});

// One line saying what "Rename!" would do with a row: "will be renamed", "already has this name",
// or "would keep its name: " and why.
[[nodiscard]] std::string DescribeRow(const PreviewRow& row);

}  // namespace kestro
