// The per-user settings store over QSettings: on Linux an INI file per application and section,
// the section again as the group inside it ($XDG_CONFIG_HOME/Vintrellos/Kestrovane.conf).
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace kestro {

// Every call opens the file afresh and writes through at once, so two runs of the program and a
// window that stays open see each other's values. Needs no QCoreApplication instance.
class QtSettingsStore : public SettingsStore {
 public:
  std::string Get(std::string_view application, std::string_view section, std::string_view key,
                  std::string_view default_value) override;
  void Set(std::string_view application, std::string_view section, std::string_view key,
           std::string_view value) override;
};

}  // namespace kestro
