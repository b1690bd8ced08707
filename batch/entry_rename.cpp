// One entry's rename: the checks that keep a name in its folder, then the no-replace rename.
#include "batch/entry_rename.h"

#include <string>
#include <utility>

#include "engine/utf8_text.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

EntryOutcome Outcome(std::string old_name, std::string new_name, EntryOutcome::Kind kind,
                     std::string reason = {}) {
  EntryOutcome outcome;
  outcome.old_name = std::move(old_name);
  outcome.new_name = std::move(new_name);
  outcome.kind = kind;
  outcome.reason = std::move(reason);
  return outcome;
}

}  // namespace

std::string_view AskedName(std::string_view new_name) {
  const std::size_t end = new_name.find_last_not_of(' ');
  return new_name.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

EntryOutcome RenameEntry(FileSystem& fs, const std::string& folder, std::string old_name,
                         std::optional<std::string> new_name) {
  using Kind = EntryOutcome::Kind;
  if (!new_name) return Outcome(std::move(old_name), {}, Kind::kNoName, kReasonNoName);
  std::string name = std::move(*new_name);
  // ProcessString hands such a name back as it is; it still never got the new name it was due.
  if (!IsValidUtf8(old_name))
    return Outcome(std::move(old_name), std::move(name), Kind::kKept, kReasonNotUtf8);
  if (name == old_name) return Outcome(std::move(old_name), std::move(name), Kind::kUnchanged);

  name.resize(AskedName(name).size());
  if (name == old_name) return Outcome(std::move(old_name), std::move(name), Kind::kUnchanged);

  if (Status refusal = CheckNewName(fs, name); !refusal.ok()) {
    return Outcome(std::move(old_name), std::move(name), Kind::kKept, refusal.message());
  }
  // No list would show the entry again, so the window could never reach it.
  if (fs.HiddenByName(name) && !fs.HiddenByName(old_name)) {
    return Outcome(std::move(old_name), std::move(name), Kind::kKept, kReasonWouldHide);
  }
  Status status = fs.RenameNoReplace(folder, old_name, name);
  if (status.ok()) return Outcome(std::move(old_name), std::move(name), Kind::kDone);
  return Outcome(std::move(old_name), std::move(name), Kind::kKept, status.message());
}

}  // namespace kestro
