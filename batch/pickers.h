// The folder pickers' rules that do not depend on the window: choosing the folder of a page
// (Dir1_Click / Dir3_Click) writes LastDir and refills that page's list.
#pragma once

#include <string>

#include "batch/batch_renamer.h"
#include "platform/settings_store.h"

namespace kestro {

// Dir1_Click: the Directories page lists the sub-directories of `folder`; LastDir = folder.
// A folder that cannot be made absolute or read leaves the previous one in place.
Status ChooseDirectoriesFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                               SettingsStore& settings, const std::string& folder);
// Dir3_Click: the Files page lists the files of `folder`; LastDir = folder.
Status ChooseFilesFolder(WindowState& state, BatchRenamer& batch, FileSystem& fs,
                         SettingsStore& settings, const std::string& folder);

}  // namespace kestro
