// The outcome preview: the same window batch, on a copy of the window's state, against an
// in-memory copy of the folder's names, with a host that shows nothing.
#include "batch/outcome_preview.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/entry_rename.h"
#include "batch/rename_str.h"
#include "platform/listing.h"
#include "platform/memory_file_system.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

// The folder as the preview's batch sees it: renames go to the copy of its names, listing gives
// nothing (the preview does not look at the lists after the batch).
class PreviewFolder : public FileSystem {
 public:
  PreviewFolder(const FileSystem& platform, const FolderNames& names)
      : platform_(platform), names_(names), copy_(platform, names) {}

  Status AbsoluteFolder(std::string_view path, std::string* absolute) override {
    *absolute = std::string(path);
    return Status::Ok();
  }
  Status ListNames(const std::string&, EntryKind, std::vector<std::string>* names) override {
    names->clear();
    return Status::Ok();
  }
  Status RenameNoReplace(const std::string&, const std::string& old_name,
                         const std::string& new_name) override {
    return copy_.Rename(old_name, new_name);
  }
  [[nodiscard]] std::string JoinPath(std::string_view folder,
                                     std::string_view name) const override {
    return platform_.JoinPath(folder, name);
  }
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override {
    return platform_.HoldsSeparator(name);
  }
  [[nodiscard]] bool HiddenByName(std::string_view name) const override {
    return platform_.HiddenByName(name);
  }
  // The dates come from the real folder, each read once while its names are kept.
  Status ModifiedTime(const std::string& folder, const std::string& name,
                      DateTime* when) const override {
    if (names_.dates == nullptr) return FileSystem::ModifiedTime(folder, name, when);
    const EntryDates dates = names_.dates->Get(name, {.modified = true});
    return Kept(dates.modified, dates.no_modified, when);
  }
  Status DateTaken(const std::string& folder, const std::string& name,
                   DateTime* when) const override {
    if (names_.dates == nullptr) return FileSystem::DateTaken(folder, name, when);
    const EntryDates dates = names_.dates->Get(name, {.taken = true});
    return Kept(dates.taken, dates.no_taken, when);
  }

 private:
  static Status Kept(const std::optional<DateTime>& date, const std::string& why, DateTime* when) {
    if (!date) return Status::Error(Status::Code::kNotFound, why);
    *when = *date;
    return Status::Ok();
  }

  const FileSystem& platform_;
  const FolderNames& names_;
  SimulatedFolder copy_;
};

// Shows nothing; notes each message with the batch entry it came during (none: before the
// first entry, that is an input check).
class SilentHost : public UiHost {
 public:
  void ShowMessage(const Message& message) override { messages.emplace_back(entry, message); }
  void FocusText8() override {}
  void UnloadMainWindow() override {}

  std::optional<std::size_t> entry;
  std::vector<std::pair<std::optional<std::size_t>, Message>> messages;
};

// Who holds a name at a point of the one pass.
struct Holder {
  std::string origin;  // its name before the batch
  bool renamed = false;
  std::size_t position = static_cast<std::size_t>(-1);  // its place in the batch, if selected
};

// Tells taken names apart: by an entry renamed earlier, by one renamed later, by one that stays.
void ExplainTakenNames(const FolderNames& names, std::vector<PreviewRow>& rows) {
  bool any = false;
  for (const PreviewRow& row : rows) {
    any =
        any || (row.outcome.kind == EntryOutcome::Kind::kKept && row.outcome.reason == kNameExists);
  }
  if (!any) return;
  auto key = [&names](const std::string& name) {
    return names.case_insensitive ? FoldCase(name) : name;
  };
  std::unordered_map<std::string, Holder> holders;
  holders.reserve(names.names.size());
  for (const std::string& name : names.names) holders.emplace(key(name), Holder{name});
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (auto it = holders.find(key(rows[i].outcome.old_name)); it != holders.end())
      it->second.position = i;
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    PreviewRow& row = rows[i];
    const EntryOutcome& outcome = row.outcome;
    if (outcome.kind == EntryOutcome::Kind::kDone) {
      holders.erase(key(outcome.old_name));
      holders.insert_or_assign(key(outcome.new_name), Holder{outcome.old_name, true, i});
      continue;
    }
    if (outcome.kind != EntryOutcome::Kind::kKept || outcome.reason != kNameExists) continue;
    auto it = holders.find(key(outcome.new_name));
    if (it == holders.end()) continue;  // the folder changed its names meanwhile: kFailed
    row.taken_by = it->second.origin;
    if (it->second.renamed) {
      row.why = PreviewRow::Why::kTakenByRenamed;
    } else if (const std::size_t later = it->second.position;
               later != static_cast<std::size_t>(-1) && later > i &&
               rows[later].outcome.kind == EntryOutcome::Kind::kDone) {
      row.why = PreviewRow::Why::kTakenByLater;
    } else {
      row.why = PreviewRow::Why::kTakenByPresent;
    }
  }
}

PreviewRow::Why FirstWhy(const EntryOutcome& outcome) {
  switch (outcome.kind) {
    case EntryOutcome::Kind::kDone:
      return PreviewRow::Why::kRenamed;
    case EntryOutcome::Kind::kUnchanged:
      return PreviewRow::Why::kUnchanged;
    case EntryOutcome::Kind::kNoName:
      return PreviewRow::Why::kNoName;
    case EntryOutcome::Kind::kKept:
      break;
  }
  const std::string& reason = outcome.reason;
  if (reason == kNewNameHoldsSeparator || reason == kNewNameEmpty || reason == kNewNameDots ||
      reason == kNewNameHoldsNul || reason == kReasonWouldHide) {
    return PreviewRow::Why::kRefused;
  }
  return PreviewRow::Why::kFailed;
}

}  // namespace

OutcomePreview PreviewBatch(WindowState state, const Clock& clock, const FileSystem& platform,
                            const FolderNames& names, const std::function<bool()>& keep_going) {
  PreviewFolder simulated(platform, names);
  state.command_line.clear();  // always the window's batch
  // The page that is not in force plays no part.
  (state.TargetKind ? state.List2 : state.List1).Clear();

  SilentHost host;
  BatchRenamer batch(state, simulated, clock, host);
  batch.SetNameHook([&](std::size_t index) { host.entry = index; });
  batch.SetProgressHook([&](std::size_t, std::size_t) { return !keep_going || keep_going(); });
  // Each entry becomes its row as it is taken; the report only counts them.
  OutcomePreview preview;
  const SelectableList& taken = state.TargetKind ? state.List1 : state.List2;
  preview.rows.reserve(taken.SelectedCount());
  batch.SetEntrySink([&preview](EntryOutcome outcome) {
    PreviewRow& row = preview.rows.emplace_back();
    row.why = FirstWhy(outcome);
    row.outcome = std::move(outcome);
  });
  const BatchReport report = batch.Command10_Click();

  preview.complete = !report.cancelled;
  if (!report.ran) {
    preview.stopped_at_check = true;
    if (!host.messages.empty()) preview.check = host.messages.front().second;
    return preview;
  }
  for (auto& [entry, message] : host.messages) {
    if (entry && *entry < preview.rows.size() && preview.rows[*entry].message.empty())
      preview.rows[*entry].message = message.text;
  }
  ExplainTakenNames(names, preview.rows);
  if (const DatesNeeded needed = DatesInUse(state); needed.any()) {
    for (PreviewRow& row : preview.rows) {
      const EntryDates dates =
          names.dates != nullptr ? names.dates->Get(row.outcome.old_name, needed) : EntryDates();
      const auto& date = needed.taken ? dates.taken : dates.modified;
      row.date = date ? FormatReadable(*date) : needed.taken ? dates.no_taken : dates.no_modified;
    }
  }
  return preview;
}

std::string DescribeRow(const PreviewRow& row) {
  switch (row.why) {
    case PreviewRow::Why::kRenamed:
      return "will be renamed";
    case PreviewRow::Why::kUnchanged:
      return "already has this name";
    case PreviewRow::Why::kTakenByRenamed:
      return "would keep its name: '" + row.taken_by + "' gets this name earlier in the batch";
    case PreviewRow::Why::kTakenByLater:
      return "would keep its name: '" + row.taken_by +
             "' still has this name; it is renamed later in the batch";
    case PreviewRow::Why::kTakenByPresent:
      return "would keep its name: '" + row.taken_by + "' in the folder has this name";
    case PreviewRow::Why::kNoName:
      return "would keep its name: no new name can be computed" +
             (row.message.empty() ? std::string() : " (" + row.message + ")");
    case PreviewRow::Why::kRefused:
    case PreviewRow::Why::kFailed:
      break;
  }
  return "would keep its name: " + row.outcome.reason;
}

}  // namespace kestro
