// The per-user settings store: one text value by application, section and key. The QSettings
// implementation lives with the Qt code; MemorySettingsStore serves the tests.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/status.h"

namespace kestro {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  [[nodiscard]] virtual std::string Get(std::string_view application, std::string_view section,
                                        std::string_view key, std::string_view default_value) = 0;
  virtual void Set(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view value) = 0;
  // Ok while the settings can be read and kept; else why not (the first reason met), so the
  // program can say it once. A store that fails keeps what it holds rather than guess.
  [[nodiscard]] virtual Status KeepStatus() const { return Status::Ok(); }
};

inline constexpr char kSettingsApplication[] = "Vintrellos";
inline constexpr char kSettingsSection[] = "Kestrovane";

class MemorySettingsStore : public SettingsStore {
 public:
  std::string Get(std::string_view application, std::string_view section, std::string_view key,
                  std::string_view default_value) override {
    auto it = values_.find({std::string(application), std::string(section), std::string(key)});
    return it == values_.end() ? std::string(default_value) : it->second;
  }
  void Set(std::string_view application, std::string_view section, std::string_view key,
           std::string_view value) override {
    values_[{std::string(application), std::string(section), std::string(key)}] =
        std::string(value);
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace kestro
