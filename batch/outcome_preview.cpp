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
#include "platform/listing.h"
#include "platform/memory_file_system.h"
#include "platform/name_rules.h"

namespace kestro {
namespace {

// Where the simulation keeps the folder's names; a plain absolute path in the in-memory file
// system's own form, whatever the real folder's path looks like on this platform.
constexpr char kSimulatedFolder[] = "/folder";

// The in-memory folder as the batch sees it. Renames are the in-memory file system's, whose
// refusals are worded as the real ones; a separator is the real platform's. The lists are never
// refilled from it (the preview does not look at them after the batch), so listing gives nothing.
class SimulatedFolder : public FileSystem {
 public:
  SimulatedFolder(MemoryFileSystem& memory, const FileSystem& platform)
      : memory_(memory), platform_(platform) {}

  Status AbsoluteFolder(std::string_view path, std::string* absolute) override {
    return memory_.AbsoluteFolder(path, absolute);
  }
  Status ListNames(const std::string&, EntryKind, std::vector<std::string>* names) override {
    names->clear();
    return Status::Ok();
  }
  Status ListAllNames(const std::string& folder, std::vector<std::string>* names) override {
    return memory_.ListAllNames(folder, names);
  }
  Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                         const std::string& new_name) override {
    // The real platform refuses these names before it looks for a taken one.
    if (Status refusal = platform_.CheckPlatformName(new_name); !refusal.ok()) return refusal;
    return memory_.RenameNoReplace(folder, old_name, new_name);
  }
  [[nodiscard]] std::string JoinPath(std::string_view folder,
                                     std::string_view name) const override {
    return memory_.JoinPath(folder, name);
  }
  [[nodiscard]] bool HoldsSeparator(std::string_view name) const override {
    return platform_.HoldsSeparator(name) || memory_.HoldsSeparator(name);
  }

 private:
  MemoryFileSystem& memory_;
  const FileSystem& platform_;
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
      reason == kNewNameHoldsNul) {
    return PreviewRow::Why::kRefused;
  }
  return PreviewRow::Why::kFailed;
}

}  // namespace

Status ReadFolderNames(FileSystem& fs, const std::string& folder, FolderNames* names) {
  names->folder = folder;
  names->complete = true;
  names->case_insensitive = fs.NamesIgnoreCase();
  Status status = fs.ListAllNames(folder, &names->names);
  if (status.code() != Status::Code::kNotSupported) return status;
  names->complete = false;
  std::vector<std::string> directories;
  status = fs.ListNames(folder, EntryKind::kFile, &names->names);
  if (status.ok()) status = fs.ListNames(folder, EntryKind::kDirectory, &directories);
  if (!status.ok()) {
    names->names.clear();
    return status;
  }
  names->names.insert(names->names.end(), std::make_move_iterator(directories.begin()),
                      std::make_move_iterator(directories.end()));
  return Status::Ok();
}

OutcomePreview PreviewBatch(WindowState state, const Clock& clock, const FileSystem& platform,
                            const FolderNames& names, const std::function<bool()>& keep_going) {
  MemoryFileSystem memory;
  memory.SetCaseInsensitive(names.case_insensitive);
  memory.AddFolder(kSimulatedFolder);
  for (const std::string& name : names.names) memory.AddFile(kSimulatedFolder, name);
  SimulatedFolder simulated(memory, platform);

  state.command_line.clear();  // always the window's batch
  state.dirs_folder = kSimulatedFolder;
  state.files_folder = kSimulatedFolder;
  // The page that is not in force plays no part.
  (state.TargetKind ? state.List2 : state.List1).Clear();

  SilentHost host;
  BatchRenamer batch(state, simulated, clock, host);
  batch.SetProgressHook([&](std::size_t done, std::size_t) {
    host.entry = done;
    return !keep_going || keep_going();
  });
  BatchReport report = batch.Command10_Click();

  OutcomePreview preview;
  preview.complete = !report.cancelled;
  if (!report.ran) {
    preview.stopped_at_check = true;
    if (!host.messages.empty()) preview.check = host.messages.front().second;
    return preview;
  }
  preview.rows.resize(report.entries.size());
  for (std::size_t i = 0; i < report.entries.size(); ++i) {
    preview.rows[i].why = FirstWhy(report.entries[i]);
    preview.rows[i].outcome = std::move(report.entries[i]);
  }
  for (auto& [entry, message] : host.messages) {
    if (entry && *entry < preview.rows.size() && preview.rows[*entry].message.empty())
      preview.rows[*entry].message = message.text;
  }
  ExplainTakenNames(names, preview.rows);
  return preview;
}

std::string DescribeRow(const PreviewRow& row) {
  switch (row.why) {
    case PreviewRow::Why::kRenamed:
      return "renamed";
    case PreviewRow::Why::kUnchanged:
      return "unchanged: it already has this name";
    case PreviewRow::Why::kTakenByRenamed:
      return "keeps its name: '" + row.taken_by + "' gets this name earlier in the batch";
    case PreviewRow::Why::kTakenByLater:
      return "keeps its name: '" + row.taken_by +
             "' still has this name; it is renamed later in the batch";
    case PreviewRow::Why::kTakenByPresent:
      return "keeps its name: '" + row.taken_by + "' in the folder has this name";
    case PreviewRow::Why::kNoName:
      return "keeps its name: no new name can be computed" +
             (row.message.empty() ? std::string() : " (" + row.message + ")");
    case PreviewRow::Why::kRefused:
    case PreviewRow::Why::kFailed:
      break;
  }
  return "keeps its name: " + row.outcome.reason;
}

}  // namespace kestro
