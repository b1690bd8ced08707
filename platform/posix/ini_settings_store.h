// The per-user settings store of Linux without Qt: the same INI file the window's QSettings keeps,
// $XDG_CONFIG_HOME/<application>/<section>.conf ($HOME/.config when XDG_CONFIG_HOME is unset),
// with the values in group [<section>], written as QSettings writes them so either side reads
// what the other wrote. Lines it does not set are kept as they are.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace kestro {

class IniSettingsStore : public SettingsStore {
 public:
  // `config_folder`: where the application folders lie; empty: the user's, as above.
  explicit IniSettingsStore(std::string config_folder = {});

  // A value that is missing, or a file that cannot be read, gives `default_value`. Anything but a
  // regular file (a pipe, a device) counts as unreadable, and is never waited for.
  std::string Get(std::string_view application, std::string_view section, std::string_view key,
                  std::string_view default_value) override;
  // Writes the whole file anew under a temporary name, then puts it in place, so a reader never
  // sees half a file; the file keeps its mode, and a link keeps pointing at it (its target is
  // written). A file that cannot be read, or written, is left as it was.
  void Set(std::string_view application, std::string_view section, std::string_view key,
           std::string_view value) override;
  [[nodiscard]] Status KeepStatus() const override { return write_status_; }

 private:
  [[nodiscard]] std::string FileOf(std::string_view application, std::string_view section) const;
  // Keeps the first failure for KeepStatus; true when `status` is Ok.
  bool Note(Status status);

  std::string config_folder_;
  Status write_status_;
};

// A value as QSettings writes it in an INI file, and back.
[[nodiscard]] std::string IniEscaped(std::string_view value);
[[nodiscard]] std::string IniUnescaped(std::string_view text);

}  // namespace kestro
