// SaveSession, RestoreSession and the window's placement: one list of the fields serves both
// directions, so what is saved is what comes back.
#include "batch/session_settings.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string>

#include "engine/utf8_text.h"

namespace kestro {
namespace {

using S = CommonStyleSettings;
// Enum values by position, each named as its control is.
constexpr const char* kLeftNames[] = {"Option1", "Option2", "Option20", "Option21", "Option3"};
constexpr const char* kInfoNames[] = {"Option7", "Option8", "Option9", "Option10", "Option11"};
constexpr const char* kRightNames[] = {"Option6", "Option5", "Option18", "Option19", "Option4"};
constexpr const char* kSeperatorNames[] = {"Option12", "Option13", "Option14"};
constexpr const char* kDateChoiceNames[] = {"Today", "Taken", "Modified"};
constexpr const char* kOrderNames[] = {"Name", "Taken", "Modified"};
constexpr const char* kCaseNames[] = {"", "lowercase", "uppercase", "sentence"};
constexpr const char* kOperationNames[] = {"",     "Rename",    "Strip",    "Replace",
                                           "Case", "Extension", "Numbering"};

// Calls `visit` once for every field: (key, std::string&, its length limit or 0), (key, bool&) or
// (key, enum&, its names).
template <typename State, typename Visit>
void EachField(State& state, Visit&& visit) {
  auto& style = state.common_style;
  visit("Left", style.left, kLeftNames);
  visit("Text2", style.Text2, 5);
  visit("Info", style.info, kInfoNames);
  visit("Text4", style.Text4, 0);
  visit("Right", style.right, kRightNames);
  visit("Text3", style.Text3, 5);
  visit(kDateChoiceKey, style.date_choice, kDateChoiceNames);
  visit("Seperator", style.seperator, kSeperatorNames);
  visit("Text5", style.Text5, 5);
  visit("Text6", state.Text6, 2);
  visit("leftoption", state.leftoption);
  visit("SmartCheck", state.SmartCheck);
  visit("Text8", state.Text8, 0);
  visit("Text7", state.Text7, 0);
  visit("RegexCheck", state.RegexCheck);
  visit("MatchCase", state.MatchCase);
  visit("Case", state.case_choice, kCaseNames);
  visit("CaseExtOnly", state.CaseExtOnly);
  visit("extad", state.extad, 0);
  auto& numbering = state.numbering;
  visit("sortascending", numbering.sortascending);
  visit("sortleading", numbering.sortleading);
  visit("sortlen", numbering.sortlen);
  visit("sortlennum", numbering.sortlennum, 1);
  visit("sortstartat", numbering.sortstartat);
  visit("sortstartatnum", numbering.sortstartatnum, 0);
  visit(kNumberingOrderKey, numbering.order, kOrderNames);
  visit(kOperationKey, state.active_operation, kOperationNames);
}

class Saver {
 public:
  explicit Saver(SettingsStore& settings) : settings_(settings) {}
  void operator()(const char* key, const std::string& value, std::size_t) { Set(key, value); }
  void operator()(const char* key, bool value) { Set(key, value ? "1" : "0"); }
  template <typename Enum, std::size_t N>
  void operator()(const char* key, Enum value, const char* const (&names)[N]) {
    const auto at = static_cast<std::size_t>(value);
    if (at < N) Set(key, names[at]);
  }

 private:
  void Set(const char* key, std::string_view value) {
    settings_.Set(kSettingsApplication, kSettingsSection, key, value);
  }
  SettingsStore& settings_;
};

class Restorer {
 public:
  explicit Restorer(SettingsStore& settings) : settings_(settings) {}
  void operator()(const char* key, std::string& value, std::size_t limit) {
    const std::string text = Get(key, value);
    if (!IsValidUtf8(text)) return;
    value = limit > 0 ? std::string(FirstCodePoints(text, limit)) : text;
  }
  void operator()(const char* key, bool& value) {
    const std::string text = Get(key, "");
    if (text == "1" || text == "0") value = text == "1";
  }
  template <typename Enum, std::size_t N>
  void operator()(const char* key, Enum& value, const char* const (&names)[N]) {
    const std::string text = Get(key, "");
    for (std::size_t i = 0; i < N; ++i) {
      // An empty name stands for "none chosen", which no session brings back.
      if (*names[i] != '\0' && text == names[i]) value = static_cast<Enum>(i);
    }
  }

 private:
  std::string Get(const char* key, std::string_view fallback) {
    return settings_.Get(kSettingsApplication, kSettingsSection, key, fallback);
  }
  SettingsStore& settings_;
};

}  // namespace

void SaveSession(const WindowState& state, SettingsStore& settings) {
  settings.Set(kSettingsApplication, kSettingsSection, kPageKey,
               state.TargetKind ? "Directories" : "Files");
  EachField(state, Saver(settings));
}

void RestoreSession(WindowState& state, SettingsStore& settings) {
  const std::string page = settings.Get(kSettingsApplication, kSettingsSection, kPageKey, "");
  if (page == "Directories" || page == "Files") state.TargetKind = page == "Directories";
  EachField(state, Restorer(settings));
  // Smart File Mode keeps a file's extension; on the Directories page it is never on.
  if (state.TargetKind) state.SmartCheck = false;
}

std::string SettingsNotKept(const SettingsStore& settings) {
  const Status kept = settings.KeepStatus();
  return kept.ok() ? std::string() : "The settings cannot be kept: " + kept.message() + ".";
}

void SaveWindowPlacement(const SavedWindow& placement, SettingsStore& settings) {
  settings.Set(kSettingsApplication, kSettingsSection, kWindowSizeKey,
               std::to_string(placement.width) + "x" + std::to_string(placement.height));
  settings.Set(kSettingsApplication, kSettingsSection, kPreviewKey, placement.preview ? "1" : "0");
  settings.Set(kSettingsApplication, kSettingsSection, kMaximizedKey,
               placement.maximized ? "1" : "0");
  if (placement.positioned) {
    settings.Set(kSettingsApplication, kSettingsSection, kWindowPositionKey,
                 std::to_string(placement.left) + "," + std::to_string(placement.top));
  }
}

namespace {

// "<a><separator><b>" as two whole numbers, nothing before, between or after.
bool ParsePair(const std::string& text, char separator, int* a, int* b) {
  const std::size_t at = text.find(separator);
  const char* end = text.data() + text.size();
  return at != std::string::npos &&
         std::from_chars(text.data(), text.data() + at, *a).ptr == text.data() + at &&
         std::from_chars(text.data() + at + 1, end, *b).ptr == end;
}

}  // namespace

SavedWindow RestoreWindowPlacement(SettingsStore& settings) {
  SavedWindow placement;
  placement.preview = settings.Get(kSettingsApplication, kSettingsSection, kPreviewKey, "") == "1";
  placement.maximized =
      settings.Get(kSettingsApplication, kSettingsSection, kMaximizedKey, "") == "1";
  const std::string position =
      settings.Get(kSettingsApplication, kSettingsSection, kWindowPositionKey, "");
  placement.positioned = ParsePair(position, ',', &placement.left, &placement.top);
  const std::string size = settings.Get(kSettingsApplication, kSettingsSection, kWindowSizeKey, "");
  int width = 0;
  int height = 0;
  if (ParsePair(size, 'x', &width, &height) && width > 0 && height > 0) {
    placement.width = width;
    placement.height = height;
  }
  return placement;
}

SavedWindow FitToScreen(SavedWindow saved, int screen_width, int screen_height) {
  if (saved.width > 0 && screen_width > 0) saved.width = std::min(saved.width, screen_width);
  if (saved.height > 0 && screen_height > 0) saved.height = std::min(saved.height, screen_height);
  return saved;
}

PixelRect KeepOnScreen(PixelRect window, const PixelRect& screen) {
  if (screen.width <= 0 || screen.height <= 0) return window;
  window.x = std::max(screen.x, std::min(window.x, screen.x + screen.width - window.width));
  window.y = std::max(screen.y, std::min(window.y, screen.y + screen.height - window.height));
  return window;
}

}  // namespace kestro
