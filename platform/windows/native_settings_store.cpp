#include "platform/native_settings_store.h"

#include "platform/windows/registry_settings_store.h"

namespace kestro {

std::unique_ptr<SettingsStore> NewNativeSettingsStore() {
  return std::make_unique<RegistrySettingsStore>();
}

}  // namespace kestro
