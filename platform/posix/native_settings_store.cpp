#include "platform/native_settings_store.h"

#include "platform/posix/ini_settings_store.h"

namespace kestro {

std::unique_ptr<SettingsStore> NewNativeSettingsStore() {
  return std::make_unique<IniSettingsStore>();
}

}  // namespace kestro
