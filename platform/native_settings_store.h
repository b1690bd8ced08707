// The per-user settings store of the platform the program runs on, without Qt: the INI file that
// QSettings keeps on Linux, the registry on Windows. The command line works with it.
#pragma once

#include <memory>

#include "platform/settings_store.h"

namespace kestro {

[[nodiscard]] std::unique_ptr<SettingsStore> NewNativeSettingsStore();

}  // namespace kestro
