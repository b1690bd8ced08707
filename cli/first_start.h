// The user's first start: the Splash setting says whether the splash has been shown. Every front
// end (the Qt entry, the Win32 entry) asks here, so the rule is one.
#pragma once

#include "platform/settings_store.h"

namespace kestro {

// The key of the setting that says the splash has been shown: exactly "1" means it has.
inline constexpr char kSplashKey[] = "Splash";

// True on the user's first start, which it also ends: the setting then says "1", so the splash
// is shown once. Any other stored value, or none, counts as not shown.
inline bool TakeFirstStart(SettingsStore& settings) {
  if (settings.Get(kSettingsApplication, kSettingsSection, kSplashKey, "") == "1") return false;
  settings.Set(kSettingsApplication, kSettingsSection, kSplashKey, "1");
  return true;
}

}  // namespace kestro
