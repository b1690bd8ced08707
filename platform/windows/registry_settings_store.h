// The per-user settings store of Windows: one REG_SZ value per key under
// HKEY_CURRENT_USER\Software\<application>\<section> (LastDir under ...\Vintrellos\Kestrovane).
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace kestro {

class RegistrySettingsStore : public SettingsStore {
 public:
  // `root` is the key under HKEY_CURRENT_USER that holds the applications; tests pass a key of
  // their own so they never touch the user's settings.
  explicit RegistrySettingsStore(std::wstring root = L"Software") : root_(std::move(root)) {}

  // A value that is missing, not REG_SZ, or unreadable gives `default_value`.
  std::string Get(std::string_view application, std::string_view section, std::string_view key,
                  std::string_view default_value) override;
  // Creates the key when need be. A value that cannot be written (a text that is not valid UTF-8,
  // a key the user may not write) is left as it was: the program goes on without its setting.
  void Set(std::string_view application, std::string_view section, std::string_view key,
           std::string_view value) override;

 private:
  std::wstring root_;
};

}  // namespace kestro
