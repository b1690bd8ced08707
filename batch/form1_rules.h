// The rules that tie Form1's controls to the WindowState, for every toolkit: which operation
// each tab means, which page is shown, which option, check box and field holds which value, what
// is enabled, what the presets fill in. A window calls these and then shows the state.
//   ChooseOperationTab(state, "Strip");  // then CheckAllValues, and show PageShown(state, page)
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "batch/ui_host.h"
#include "batch/window_state.h"
#include "engine/calendar_date.h"

namespace kestro {

struct OperationTab {
  const char* caption;
  const char* page;
  ActiveOperation operation;
};
// The tabs of TabStrip1, in order.
[[nodiscard]] std::span<const OperationTab> OperationTabs();

inline constexpr char kDirectoriesCaption[] = "Directories";
inline constexpr char kFilesCaption[] = "Files";
inline constexpr char kExampleDirectory[] = "Example directory";
inline constexpr char kExampleFilename[] = "Example filename.ext";
// The tabs of TabStrip2, in order.
[[nodiscard]] std::span<const char* const> TargetTabs();

// TabStrip1_Click before its refresh: the operation of the tab's caption is in force (a caption
// of none of them changes nothing).
void ChooseOperationTab(WindowState& state, std::string_view caption);
// TabStrip2_Click before its refresh: "Directories" chooses directories, shows "Example
// directory" and turns Smart File Mode off; any other caption chooses files.
void ChooseTargetTab(WindowState& state, std::string_view caption);
// Whether the page named `page` (a picker page or an operation page) is shown in `state`.
[[nodiscard]] bool PageShown(const WindowState& state, std::string_view page);

// Form_Load: the date options show `today` in their four forms.
void LoadDateCaptions(WindowState& state, const CalendarDate& today);
// The caption `name` shows: the date options' from the state, every other control's `designed`.
[[nodiscard]] std::string ControlCaption(const WindowState& state, std::string_view name,
                                         std::string_view designed);

// Whether option `name` is the chosen one of its group.
[[nodiscard]] bool OptionChosen(const WindowState& state, std::string_view name);
// Chooses option `name`; false when there is no such option.
bool ChooseOption(WindowState& state, std::string_view name);

// The drop-down lists of fixed choices: "DateChoice" (where the Rename page's date prefixes take
// their date) and "NumberingOrder" (the order numbering counts in), their items the captions of
// batch/folder_dates.h. Their items in order (none for any other name), the
// index of the one the state holds (-1 for another name), and choosing the item at `index`
// (false, and nothing changed, for another name or an index out of range).
[[nodiscard]] std::span<const char* const> ChoiceItems(std::string_view name);
[[nodiscard]] int ChosenItem(const WindowState& state, std::string_view name);
bool ChooseItem(WindowState& state, std::string_view name, int index);

// The value behind check box `name`; nullptr when there is none.
[[nodiscard]] bool* CheckValue(WindowState& state, std::string_view name);
// A click that leaves check box `name` at `on`. Smart File Mode works on files only: turned on
// with the Directories page chosen it goes back off, and the message to show is returned.
[[nodiscard]] std::optional<Message> SetCheck(WindowState& state, std::string_view name, bool on);

// The text behind field `name` (before and after included); nullptr when there is none.
[[nodiscard]] std::string* FieldValue(WindowState& state, std::string_view name);
// Fields whose every change refreshes the example. The custom texts of the Rename page do not:
// a released key there chooses the field's option, and leaving the field refreshes.
[[nodiscard]] bool RefreshesOnChange(std::string_view field);
// The option a custom text field belongs to (Text2: Option3, ...); nullptr for other fields.
[[nodiscard]] const char* CustomOptionOf(std::string_view field);
// Text6 takes digits and Backspace when typed.
[[nodiscard]] bool TypedKeyAllowed(std::string_view field, char32_t key);

// Whether control `name` takes input: "Use digit length of:" and its field only with leading
// zeros; they keep their values while greyed out.
[[nodiscard]] bool ControlEnabled(const WindowState& state, std::string_view name);

// The preset buttons: what each writes into which fields (field B may be none).
struct Preset {
  const char* button;
  const char* field_a;
  const char* text_a;
  const char* field_b;
  const char* text_b;
};
[[nodiscard]] const Preset* FindPreset(std::string_view button);
// Fills the preset's fields in the state.
void ApplyPreset(WindowState& state, const Preset& preset);

}  // namespace kestro
