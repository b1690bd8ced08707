// RenameStr turns the main window's settings into the new name of one entry; CheckAllValues runs
// the sample name ("before") through it and shows the result in "after".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "batch/folder_dates.h"
#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "platform/clock.h"

namespace kestro {

// The new name of `name` at 1-based `position` in a batch of `count`, or empty text when the
// numbering settings refuse (after the message "You have entered erraneous values!" when due).
// The operation is the tab in force, its parameters the page's controls as they are at the call.
[[nodiscard]] std::string RenameStr(const WindowState& state, const Clock& clock, UiHost& ui,
                                    std::string_view name, std::int32_t position,
                                    std::int32_t count);

// As RenameStr, but a refusal of the numbering settings is no value at all, so a caller can tell
// it from an operation that legitimately leaves nothing of the name (stripping every character).
// So is a regular expression that gives no name, and a date the operation needs that the entry's
// `dates` lack; then `failure` (when given) says why. Without `dates` the entry has the Example's
// sample dates (SampleEntryDates): a batch always gives each entry's own.
[[nodiscard]] std::optional<std::string> TryRenameStr(const WindowState& state, const Clock& clock,
                                                      UiHost& ui, std::string_view name,
                                                      std::int32_t position, std::int32_t count,
                                                      std::string* failure = nullptr,
                                                      const EntryDates* dates = nullptr);

// The entry dates the window's operation in force puts into names or counts by: the date prefix
// of the Rename page (date options with Taken or Modified), or Numbering in date order.
[[nodiscard]] DatesNeeded DatesInUse(const WindowState& state);

// The operation RenameStr hands to ProcessString for the tab in force, numbering aside: the mode,
// the page's text parameters and SmartCheck.
[[nodiscard]] RenameOperation OperationInForce(const WindowState& state);

// Why field "A:" cannot be used: with "Regular expression" checked, the message of a pattern
// that does not compile ("bad pattern '(img': missing closing parenthesis at offset 4"); empty
// otherwise. Both windows mark the field by it, and Rename! refuses to run it.
[[nodiscard]] std::string ReplacePatternError(const WindowState& state);

// after = RenameStr(before, 1, 999).
void CheckAllValues(WindowState& state, const Clock& clock, UiHost& ui);

}  // namespace kestro
