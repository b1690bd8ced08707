// The folder pickers' rules that do not depend on the window: choosing the folder of a page
// (Dir1_Click / Dir3_Click) writes LastDir and refills that page's list.
#pragma once

#include <string>

#include "batch/batch_renamer.h"
#include "platform/listing.h"
#include "platform/settings_store.h"

namespace kestro {

// The key of the last folder chosen, under kSettingsApplication / kSettingsSection.
inline constexpr char kLastDirKey[] = "LastDir";

// Dir1_Click: the Directories page lists the sub-directories of `folder`; LastDir = folder.
// A folder that cannot be made absolute or read leaves the previous one in place.
Status ChooseDirectoriesFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                               SettingsStore& settings, const std::string& folder);
// Dir3_Click: the Files page lists the files of `folder`; LastDir = folder.
Status ChooseFilesFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                         SettingsStore& settings, const std::string& folder);

// As either of them for the page of `directories`, when the window has just read `folder`
// (ListFolder with the state's file_mask): the list comes from `listing`, not from a second
// reading.
Status ChooseListedFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                          SettingsStore& settings, bool directories, const std::string& folder,
                          FolderListing listing);

// Where `path` is after the renames of `report`: a folder it renamed, or one below such a folder,
// has the new name in its path; any other path comes back as it is.
[[nodiscard]] std::string PathAfterRenames(const FileSystem& fs, const std::string& path,
                                           const BatchReport& report);

// What Form_Load does for the pickers: both pages open on LastDir, or on the current folder when
// LastDir is empty or names no readable folder (no message), their lists filled; then Dir1_Click,
// which writes that folder back as LastDir. A folder that cannot be listed at all is returned.
Status RestorePickers(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                      SettingsStore& settings);

}  // namespace kestro
