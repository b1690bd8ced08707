// Choosing the folder of each page, LastDir, and the pickers' start at load.
#include "batch/pickers.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace kestro {
namespace {

void WriteLastDir(SettingsStore& settings, const std::string& folder) {
  settings.Set(kSettingsApplication, kSettingsSection, kLastDirKey, folder);
}

// Moves `chosen` to the absolute form of `folder` and refills its list; a folder that cannot be
// made absolute or listed puts the previous folder and its list back.
Status Choose(FileSystem& fs, const std::string& folder, std::string& chosen,
              const std::function<Status()>& refill) {
  std::string absolute;
  Status status = fs.AbsoluteFolder(folder, &absolute);
  if (!status.ok()) return status;
  std::string previous = std::exchange(chosen, std::move(absolute));
  status = refill();
  if (!status.ok()) {
    chosen = std::move(previous);
    refill();
  }
  return status;
}

}  // namespace

Status ChooseDirectoriesFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                               SettingsStore& settings, const std::string& folder) {
  Status status = Choose(fs, folder, state.dirs_folder, [&] { return batch.Dir2_Change(); });
  if (status.ok()) WriteLastDir(settings, state.dirs_folder);
  return status;
}

Status ChooseFilesFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                         SettingsStore& settings, const std::string& folder) {
  Status status = Choose(fs, folder, state.files_folder, [&] { return batch.File1_PathChange(); });
  if (status.ok()) WriteLastDir(settings, state.files_folder);
  return status;
}

Status ChooseListedFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                          SettingsStore& settings, bool directories, const std::string& folder,
                          FolderListing listing) {
  std::string& chosen = directories ? state.dirs_folder : state.files_folder;
  // Showing a listing cannot fail, so the previous folder never needs its list back.
  Status status = Choose(fs, folder, chosen, [&] {
    batch.ShowListed(directories, std::move(directories ? listing.directories : listing.files));
    return Status::Ok();
  });
  if (status.ok()) WriteLastDir(settings, chosen);
  return status;
}

Status RestorePickers(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                      SettingsStore& settings) {
  const std::string last_dir =
      settings.Get(kSettingsApplication, kSettingsSection, kLastDirKey, "");
  Status status = last_dir.empty() ? Status::Error(Status::Code::kNotFound, "no LastDir")
                                   : ChooseDirectoriesFolder(state, batch, fs, settings, last_dir);
  if (!status.ok()) {
    status = ChooseDirectoriesFolder(state, batch, fs, settings, ".");
    if (!status.ok()) return status;
  }
  // Both pages start on the same folder.
  state.files_folder = state.dirs_folder;
  return batch.File1_PathChange();
}

std::string PathAfterRenames(const FileSystem& fs, const std::string& path,
                             const BatchReport& report) {
  for (const EntryOutcome& entry : report.entries) {
    if (entry.kind != EntryOutcome::Kind::kDone) continue;
    const std::string was = fs.JoinPath(report.folder, entry.old_name);
    if (path.compare(0, was.size(), was) != 0) continue;
    const std::string_view below = std::string_view(path).substr(was.size());
    if (below.empty() || fs.HoldsSeparator(below.substr(0, 1))) {
      return fs.JoinPath(report.folder, entry.new_name) + std::string(below);
    }
  }
  return path;
}

}  // namespace kestro
