// The window's last session, kept in the settings beside LastDir and Splash: the page
// (Directories or Files), the operation, the values of every page's fields, the window's size and
// whether the outcome preview is open. The next start comes back to them. Any window (Qt or
// native) saves and restores through these, so a session means the same in both.
#pragma once

#include <string>

#include "batch/twip_rect.h"
#include "batch/window_state.h"
#include "platform/settings_store.h"

namespace kestro {

// Keys under kSettingsApplication / kSettingsSection; the fields use their controls' names
// ("Text6", "SmartCheck", "CaseExtOnly", ...).
inline constexpr char kPageKey[] = "Page";              // "Directories" or "Files"
inline constexpr char kOperationKey[] = "Operation";    // "Rename", "Strip", ... "Numbering"
inline constexpr char kWindowSizeKey[] = "WindowSize";  // "<width>x<height>", logical pixels
inline constexpr char kPreviewKey[] = "Preview";        // "1" when the preview was open
inline constexpr char kMaximizedKey[] = "Maximized";    // "1" when the window was maximised
// "<left>,<top>": the window's frame on the desktop, in the screen's pixels, where the system
// lets a program place its window (the native window does; the Qt one leaves it to the desktop).
inline constexpr char kWindowPositionKey[] = "WindowPosition";
// Where the Rename page's date prefixes take their date: "Today", "Taken" or "Modified".
inline constexpr char kDateChoiceKey[] = "DateChoice";
// The order numbering counts in: "Name", "Taken" or "Modified".
inline constexpr char kNumberingOrderKey[] = "NumberingOrder";

// Writes the page, the operation and every field of `state`.
void SaveSession(const WindowState& state, SettingsStore& settings);
// Reads them back into `state`. A key that is missing or holds a value no control can show leaves
// its field at the value it has; a text longer than its field takes is cut to the field's length.
void RestoreSession(WindowState& state, SettingsStore& settings);

// What a window's status line says when `settings` could not be read or kept ("The settings
// cannot be kept: REASON."); empty when they could. The store leaves an unreadable file as it is.
[[nodiscard]] std::string SettingsNotKept(const SettingsStore& settings);

struct SavedWindow {
  int width =
      0;  // 0: the design size; the client area, preview included, when it was not maximised
  int height = 0;
  bool preview = false;
  bool maximized = false;
  bool positioned = false;  // whether `left` and `top` were kept
  int left = 0;
  int top = 0;
};
void SaveWindowPlacement(const SavedWindow& placement, SettingsStore& settings);
[[nodiscard]] SavedWindow RestoreWindowPlacement(SettingsStore& settings);
// `saved` cut to a screen whose room for windows is `screen_width` x `screen_height` (logical
// pixels): a side larger than the screen's becomes the screen's, so a size saved on a larger
// screen, or written by hand, never makes a window too large to paint. The design size (0), and a
// screen of unknown size (0), are left alone.
[[nodiscard]] SavedWindow FitToScreen(SavedWindow saved, int screen_width, int screen_height);
// `window` (a frame on the desktop) moved onto `screen`, the room for windows of a screen that
// exists: wholly when it fits, else its top left corner on the screen's (its size is left to
// FitToScreen and the window's least size). A window saved on a screen since removed comes back
// on the screen nearest to where it was.
[[nodiscard]] PixelRect KeepOnScreen(PixelRect window, const PixelRect& screen);

}  // namespace kestro
