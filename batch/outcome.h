// The per-entry outcome of a batch: the old name, the new name, and done, unchanged, or kept
// with its reason. The command line turns it into its exit status, the window into its status line.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kestro {

struct EntryOutcome {
  enum class Kind {
    kDone,       // renamed to new_name
    kUnchanged,  // the new name equals the old one: nothing to do, counts as done
    kKept,       // kept its name; `reason` says why
    kNoName,     // no new name could be computed (numbering refused); reported by its message
  };
  std::string old_name;
  std::string new_name;
  Kind kind = Kind::kDone;
  std::string reason;
};

struct BatchReport {
  std::vector<EntryOutcome> entries;  // in the order the batch took them
  std::string folder;       // the folder the entries are in (join with FileSystem::JoinPath)
  bool ran = false;         // the checks passed and the entries were walked (possibly none)
  bool cancelled = false;   // the progress hook stopped the batch before its end
  std::size_t planned = 0;  // the entries it set out to take; more than `entries` when cancelled
  // Why the batch cannot be undone, when its journal could not be written (it ran all the same).
  std::string journal_error;
  std::string journal;  // the file of its journal, when one was written
  // Entries handed on as they were taken (BatchRenamer::SetEntrySink) rather than kept in
  // `entries`, counted by kind.
  std::array<std::size_t, 4> passed_on{};

  [[nodiscard]] std::size_t Count(EntryOutcome::Kind kind) const {
    std::size_t n = passed_on[static_cast<std::size_t>(kind)];
    for (const auto& e : entries) n += e.kind == kind ? 1 : 0;
    return n;
  }
};

}  // namespace kestro
