// The steps that take one entry from its old name to its new one inside its folder: what counts
// as unchanged, which new names are refused, and the safe rename itself, with the outcome.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "batch/outcome.h"
#include "platform/file_system.h"

namespace kestro {

// Reasons an entry keeps its name before the file system is asked (the refusals of a new name
// itself are the file system's own, platform/name_rules.h).
inline constexpr char kReasonNotUtf8[] = "the name is not valid UTF-8";
inline constexpr char kReasonNoName[] = "no new name could be computed";
inline constexpr char kReasonWouldHide[] = "the new name would hide it";

// `new_name` as the rename asks for it: the blanks at its end dropped, as the target platform does.
[[nodiscard]] std::string_view AskedName(std::string_view new_name);

// Renames `old_name` in `folder` to `new_name` (no value: the numbering settings gave none), in
// this order:
//   1. no value: kNoName;
//   2. an old name that is not valid UTF-8 is never changed: kKept;
//   3. a new name equal to the old one: kUnchanged;
//   4. blanks at the end of the new name are dropped; if that leaves the old name, kUnchanged;
//   5. a new name that is empty, ".", "..", or holds a separator or a NUL: kKept, nothing asked
//      of the file system (CheckNewName), so the entry never leaves its folder;
//   6. a new name that would hide a visible entry here (".txt" on Linux): kKept, since no list
//      would show it again;
//   7. the file system's no-replace rename: kDone, or kKept with the system's reason.
// `new_name` in the outcome is the name asked for, after step 4.
[[nodiscard]] EntryOutcome RenameEntry(FileSystem& fs, const std::string& folder,
                                       std::string old_name, std::optional<std::string> new_name);

}  // namespace kestro
