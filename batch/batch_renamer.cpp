// The two batches in window mode and in command-line mode, and the refills of List1 and List2.
#include "batch/batch_renamer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "batch/entry_rename.h"
#include "batch/rename_str.h"
#include "engine/messages.h"
#include "engine/mode_switch.h"
#include "engine/numbering.h"
#include "engine/process_string.h"
#include "engine/regex_replace.h"
#include "platform/listing.h"

namespace kestro {
namespace {

std::int32_t ToInt32(std::size_t n) {
  constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(n < kMax ? n : kMax);
}

std::string TrimBlanks(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The new names of a batch, all computed before its first rename, kept in one buffer rather than
// a string each: a batch of a million entries holds its names once.
class NewNames {
 public:
  explicit NewNames(const std::vector<std::string>& old_names) {
    std::size_t bytes = 0;
    for (const std::string& name : old_names) bytes += name.size();
    text_.reserve(bytes + bytes / 8);
    ends_.reserve(old_names.size());
  }
  void Add(const std::optional<std::string>& name) {
    if (name) text_ += *name;
    ends_.push_back(text_.size() | (name ? 0 : kNone));
  }
  // The new name of the entry at `index`; no value: none was computed.
  [[nodiscard]] std::optional<std::string_view> At(std::size_t index) const {
    if ((ends_[index] & kNone) != 0) return std::nullopt;
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1] & ~kNone;
    return std::string_view(text_).substr(begin, ends_[index] - begin);
  }

 private:
  static constexpr std::size_t kNone = std::size_t{1} << (sizeof(std::size_t) * 8 - 1);
  std::string text_;
  std::vector<std::size_t> ends_;  // where each name ends in `text_`, kNone set for no name
};

// Lists `folder` into `list`; a folder that cannot be read leaves the list empty.
Status Refill(FileSystem& fs, const std::string& folder, EntryKind kind, std::string_view mask,
              SelectableList& list) {
  std::vector<std::string> names;
  Status status = ListEntries(fs, folder, kind, mask, &names);
  if (!status.ok()) names.clear();
  list.Assign(std::move(names));
  return status;
}

// Where each entry stands in the count when numbering follows a date: by that date, oldest first,
// ties in batch order. An entry without the date has no place (0) and keeps its name for the
// reason in `missing`: it is never counted by another date.
struct DateOrder {
  std::vector<std::int32_t> position;
  std::vector<std::string> missing;
  std::int32_t count = 0;
};

DateOrder OrderByDate(const FileSystem& fs, const std::string& folder,
                      const std::vector<std::string>& names, NumberingOrder order) {
  const DatesNeeded needed{order == NumberingOrder::Taken, order == NumberingOrder::Modified};
  DateOrder result;
  result.position.assign(names.size(), 0);
  result.missing.resize(names.size());
  std::vector<std::pair<DateTime, std::size_t>> dated;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const EntryDates dates = ReadEntryDates(fs, folder, names[i], needed);
    const std::optional<DateTime>& date = needed.taken ? dates.taken : dates.modified;
    if (date) {
      dated.emplace_back(*date, i);
    } else {
      result.missing[i] = needed.taken ? dates.no_taken : dates.no_modified;
    }
  }
  const auto key = [](const DateTime& d) {
    return std::array{d.date.year, d.date.month, d.date.day, d.hour, d.minute, d.second};
  };
  std::stable_sort(dated.begin(), dated.end(),
                   [&](const auto& a, const auto& b) { return key(a.first) < key(b.first); });
  for (std::size_t rank = 0; rank < dated.size(); ++rank) {
    result.position[dated[rank].second] = ToInt32(rank + 1);
  }
  result.count = ToInt32(dated.size());
  return result;
}

}  // namespace

BatchReport BatchRenamer::NumberedEntries(const std::string& folder,
                                          std::vector<std::string> names) {
  const FixedClock batch_day(clock_.Today());
  const NumberingOrder order = state_.numbering.order;
  if (order == NumberingOrder::Name) {
    const std::int32_t count = ToInt32(names.size());
    return RunEntries(folder, std::move(names),
                      [&](const std::string& name, std::size_t index, std::string* failure) {
                        return TryRenameStr(state_, batch_day, ui_, name, ToInt32(index + 1), count,
                                            failure);
                      });
  }
  const DateOrder by_date = OrderByDate(fs_, folder, names, order);
  return RunEntries(folder, std::move(names),
                    [&](const std::string& name, std::size_t index, std::string* failure) {
                      if (by_date.position[index] == 0) {
                        *failure = by_date.missing[index];
                        return std::optional<std::string>();
                      }
                      return TryRenameStr(state_, batch_day, ui_, name, by_date.position[index],
                                          by_date.count, failure);
                    });
}

BatchRenamer::BatchRenamer(WindowState& state, FileSystem& fs, const Clock& clock, UiHost& ui)
    : state_(state), fs_(fs), clock_(clock), ui_(ui) {}

void BatchRenamer::SetProgressHook(ProgressHook hook) { progress_ = std::move(hook); }

Status BatchRenamer::Dir2_Change() {
  return Refill(fs_, state_.dirs_folder, EntryKind::kDirectory, "", state_.List1);
}

Status BatchRenamer::File1_PathChange() {
  files_listed_ =
      Refill(fs_, state_.files_folder, EntryKind::kFile, state_.file_mask, state_.List2);
  return files_listed_;
}

void BatchRenamer::ShowListed(bool directories, std::vector<std::string> names) {
  (directories ? state_.List1 : state_.List2).Assign(std::move(names));
  if (!directories) files_listed_ = Status::Ok();
}

BatchReport BatchRenamer::Command10_Click() {
  return state_.TargetKind ? Command2_Click() : Command9_Click();
}

BatchReport BatchRenamer::Command2_Click() {
  if (!state_.command_line.empty()) return CommandLineBatch(BatchTarget::Directories);
  if (state_.List1.SelectedCount() == 0) {
    ui_.ShowMessage(
        {messages::kSelectDirectories, messages::kErrorTitle, MessageIcon::Exclamation});
    return {};
  }
  if (!ReplaceFieldFilled()) return {};
  BatchReport report = WindowBatch(state_.dirs_folder, state_.List1);
  Dir2_Change();
  return report;
}

BatchReport BatchRenamer::Command9_Click() {
  if (!state_.command_line.empty()) return CommandLineBatch(BatchTarget::Files);
  if (!ReplaceFieldFilled()) return {};
  if (state_.List2.SelectedCount() == 0) {
    ui_.ShowMessage({messages::kSelectFiles, messages::kErrorTitle, MessageIcon::Exclamation});
    return {};
  }
  BatchReport report = WindowBatch(state_.files_folder, state_.List2);
  File1_PathChange();
  return report;
}

bool BatchRenamer::ReplaceFieldFilled() {
  if (state_.active_operation != ActiveOperation::Replace) return true;
  std::string problem = state_.Text8.empty() ? std::string(messages::kFillRequiredFields)
                                             : ReplacePatternError(state_);
  if (problem.empty()) return true;
  ui_.ShowMessage({std::move(problem), messages::kErrorTitle, MessageIcon::Exclamation});
  ui_.FocusText8();
  return false;
}

BatchReport BatchRenamer::WindowBatch(const std::string& folder, const SelectableList& list) {
  std::vector<std::string> names;
  names.reserve(list.SelectedCount());
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list.selected(i)) names.push_back(list.at(i));
  }
  if (state_.active_operation == ActiveOperation::Numbering) {
    return NumberedEntries(folder, std::move(names));
  }
  // One day for the whole batch, so names stay consistent past midnight.
  const FixedClock batch_day(clock_.Today());
  const std::int32_t count = ToInt32(names.size());
  const DatesNeeded needed = DatesInUse(state_);
  return RunEntries(folder, std::move(names),
                    [&](const std::string& name, std::size_t index, std::string* failure) {
                      const EntryDates dates =
                          needed.any() ? ReadEntryDates(fs_, folder, name, needed) : EntryDates();
                      return TryRenameStr(state_, batch_day, ui_, name, ToInt32(index + 1), count,
                                          failure, &dates);
                    });
}

void BatchRenamer::Pass(BatchReport& report, EntryOutcome outcome) const {
  if (!sink_) {
    report.entries.push_back(std::move(outcome));
    return;
  }
  ++report.passed_on[static_cast<std::size_t>(outcome.kind)];
  sink_(std::move(outcome));
}

BatchReport BatchRenamer::RunEntries(const std::string& folder, std::vector<std::string> names,
                                     const NewNameFn& new_name) {
  BatchReport report;
  report.folder = folder;
  report.ran = true;
  report.planned = names.size();
  if (!sink_) report.entries.reserve(names.size());
  // A folder gone since it was listed (renamed, say): none of its entries is done or unchanged.
  if (std::string where; names.size() > 0) {
    if (Status open = fs_.AbsoluteFolder(folder, &where); !open.ok()) {
      for (std::string& name : names) {
        Pass(report, {std::move(name), {}, EntryOutcome::Kind::kKept, open.message()});
      }
      return report;
    }
  }
  NewNames computed(names);
  // Why an entry got no name, for the few that fail (an expression's match limit, say).
  std::vector<std::pair<std::size_t, std::string>> failures;
  // Names are quick to compute, but an expression may take up to its match limit on each: when
  // computing is slow the progress hook is asked too (as before the first entry), so a window
  // stays responsive and can stop the batch before anything is renamed.
  constexpr auto kAskEvery = std::chrono::milliseconds(50);
  auto last_asked = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (progress_ && std::chrono::steady_clock::now() - last_asked >= kAskEvery) {
      if (!progress_(0, names.size())) {
        report.cancelled = true;
        return report;
      }
      last_asked = std::chrono::steady_clock::now();
    }
    if (name_hook_) name_hook_(i);
    std::string failure;
    computed.Add(new_name(names[i], i, &failure));
    if (!failure.empty()) failures.emplace_back(i, std::move(failure));
  }
  auto next_failure = failures.begin();
  // Entries whose name is to change are the journal's renames, in batch order.
  const auto renamed = [&](std::size_t i) {
    const std::optional<std::string_view> name = computed.At(i);
    return name && AskedName(*name) != names[i];
  };
  JournalWriter journal;
  // A batch with nothing to rename leaves no journal.
  bool any_rename = false;
  for (std::size_t i = 0; journal_ != nullptr && i < names.size() && !any_rename; ++i) {
    any_rename = renamed(i);
  }
  if (any_rename) {
    std::size_t next = 0;
    const auto next_rename = [&](std::string_view* old_name, std::string_view* new_name) {
      while (next < names.size() && !renamed(next)) ++next;
      if (next == names.size()) return false;
      *old_name = names[next];
      *new_name = AskedName(*computed.At(next++));
      return true;
    };
    const Journal::Origin origin =
        state_.command_line.empty() ? Journal::Origin::kWindow : Journal::Origin::kCommandLine;
    const Status begun = journal_->Begin(folder, origin, next_rename, &journal);
    if (!begun.ok()) report.journal_error = begun.message();
    report.journal = journal.path();
  }
  // The folder is opened once for the whole pass, not once per entry.
  RenameRun run(fs_, folder);
  std::size_t rename_index = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (progress_ && !progress_(i, names.size())) {
      report.cancelled = true;
      break;
    }
    if (next_failure != failures.end() && next_failure->first == i) {
      Pass(report,
           {std::move(names[i]), {}, EntryOutcome::Kind::kKept, std::move(next_failure->second)});
      ++next_failure;
      continue;
    }
    const bool journaled = renamed(i);
    const std::optional<std::string_view> name = computed.At(i);
    EntryOutcome outcome = RenameEntry(fs_, folder, std::move(names[i]),
                                       name ? std::optional<std::string>(*name) : std::nullopt);
    if (journaled && journal.open())
      journal.Made(rename_index, outcome.kind == EntryOutcome::Kind::kDone);
    rename_index += journaled ? 1 : 0;
    Pass(report, std::move(outcome));
  }
  return report;
}

BatchReport BatchRenamer::CommandLineBatch(BatchTarget target) {
  const bool files = target == BatchTarget::Files;
  SelectableList& list = files ? state_.List2 : state_.List1;
  const std::string& folder = files ? state_.files_folder : state_.dirs_folder;

  state_.active_operation = ActiveOperation::None;
  if (files) {
    // The mask goes first: a folder where it selects nothing ends the run before the switch is
    // read.
    state_.file_mask = TrimBlanks(state_.args[3]);
    File1_PathChange();
    if (list.size() == 0) return {};
  }

  ModeSwitch mode = ParseModeSwitch(target, state_.args);
  if (mode.rejected) return RejectCommandLine();
  // A pattern that does not compile renames nothing: it is a wrong command line.
  if (mode.regex && !mode.param1.empty()) {
    if (std::string error = PatternError(mode.param1, mode.match_case); !error.empty()) {
      ui_.ShowMessage({std::move(error), messages::kErrorTitle, MessageIcon::Exclamation});
      return RejectCommandLine();
    }
  }
  if (files && mode.check_smart) state_.SmartCheck = true;
  if (mode.numbering) {
    state_.active_operation = ActiveOperation::Numbering;
    if (mode.has_sort_words) {
      SortLineResult result =
          ParseSortLine(state_.numbering, mode.sort_words[0], mode.sort_words[1],
                        mode.sort_words[2], mode.sort_words[3]);
      if (result == SortLineResult::kWrongCommands) {
        ui_.ShowMessage({messages::kWrongCommands, messages::kProgramTitle, MessageIcon::None});
      }
      if (result != SortLineResult::kAccepted) return RejectCommandLine();
    }
    if (mode.descending) state_.numbering.sortascending = false;
    state_.numbering.order = mode.order;
  }
  // The directory batch reads its switch first, so a wrong one is reported for an empty folder.
  if (!files && list.SelectedCount() == 0) return {};

  // The batch works on the list as it stands now, whatever a message box lets happen meanwhile;
  // nothing shows the list on the command line, so its names are taken, not copied.
  std::vector<std::string> names = list.Take();
  if (state_.active_operation == ActiveOperation::Numbering) {
    return NumberedEntries(folder, std::move(names));
  }
  const CalendarDate today = clock_.Today();
  RenameOperation op;
  op.mode = mode.mode;
  op.param1 = std::move(mode.param1);
  op.param2 = std::move(mode.param2);
  op.keep_extension = state_.SmartCheck;
  op.extension_only = mode.extension_only;
  op.regex = mode.regex;
  op.match_case = mode.match_case;
  op.common_style = state_.common_style;
  const NumberingValues ones;  // 1, 1, 1
  DatesNeeded needed;
  if (op.mode == RenameMode::Literal)
    LiteralDatesNeeded(op.param1, &needed.taken, &needed.modified);
  return RunEntries(folder, std::move(names),
                    [&](const std::string& name, std::size_t, std::string* failure) {
                      const EntryDates dates =
                          needed.any() ? ReadEntryDates(fs_, folder, name, needed) : EntryDates();
                      std::string new_name = ProcessString(name, op, ones, today, failure, &dates);
                      if (!failure->empty()) return std::optional<std::string>();
                      return std::optional<std::string>(std::move(new_name));
                    });
}

BatchReport BatchRenamer::RejectCommandLine() {
  state_.WrongCommand = true;
  ui_.UnloadMainWindow();
  return {};
}

}  // namespace kestro
