// Form1's rules over the WindowState.
#include "batch/form1_rules.h"

#include "batch/folder_dates.h"
#include "engine/beginning_bit.h"
#include "engine/messages.h"

namespace kestro {
namespace {

constexpr OperationTab kOperationTabs[] = {
    {"Rename", "rename", ActiveOperation::Rename},
    {"Strip", "strip", ActiveOperation::Strip},
    {"Replace", "replace", ActiveOperation::Replace},
    {"Case", "selectcase", ActiveOperation::Case},
    {"Extension", "extensionf", ActiveOperation::Extension},
    {"Numbering", "sort", ActiveOperation::Numbering},
};
constexpr const char* kTargetTabs[] = {kDirectoriesCaption, kFilesCaption};

using S = CommonStyleSettings;

// One option: its name, whether the state has it chosen, and choosing it.
struct OptionRule {
  const char* name;
  bool (*chosen)(const WindowState&);
  void (*choose)(WindowState&);
};

#define KESTRO_OPTION(NAME, FIELD, VALUE)                          \
  {                                                                \
    NAME, [](const WindowState& s) { return s.FIELD == (VALUE); }, \
        [](WindowState& s) { s.FIELD = (VALUE); }                  \
  }

constexpr OptionRule kOptions[] = {
    KESTRO_OPTION("Option1", common_style.left, S::Left::Option1),
    KESTRO_OPTION("Option2", common_style.left, S::Left::Option2),
    KESTRO_OPTION("Option20", common_style.left, S::Left::Option20),
    KESTRO_OPTION("Option21", common_style.left, S::Left::Option21),
    KESTRO_OPTION("Option3", common_style.left, S::Left::Option3),
    KESTRO_OPTION("Option7", common_style.info, S::Info::Option7),
    KESTRO_OPTION("Option8", common_style.info, S::Info::Option8),
    KESTRO_OPTION("Option9", common_style.info, S::Info::Option9),
    KESTRO_OPTION("Option10", common_style.info, S::Info::Option10),
    KESTRO_OPTION("Option11", common_style.info, S::Info::Option11),
    KESTRO_OPTION("Option6", common_style.right, S::Right::Option6),
    KESTRO_OPTION("Option5", common_style.right, S::Right::Option5),
    KESTRO_OPTION("Option18", common_style.right, S::Right::Option18),
    KESTRO_OPTION("Option19", common_style.right, S::Right::Option19),
    KESTRO_OPTION("Option4", common_style.right, S::Right::Option4),
    KESTRO_OPTION("Option12", common_style.seperator, S::Seperator::Option12),
    KESTRO_OPTION("Option13", common_style.seperator, S::Seperator::Option13),
    KESTRO_OPTION("Option14", common_style.seperator, S::Seperator::Option14),
    KESTRO_OPTION("leftoption", leftoption, true),
    KESTRO_OPTION("rightoption", leftoption, false),
    KESTRO_OPTION("lowercase", case_choice, CaseChoice::lowercase),
    KESTRO_OPTION("uppercase", case_choice, CaseChoice::uppercase),
    KESTRO_OPTION("sentence", case_choice, CaseChoice::sentence),
    KESTRO_OPTION("sortascending", numbering.sortascending, true),
    KESTRO_OPTION("sortdescending", numbering.sortascending, false),
};
#undef KESTRO_OPTION

const OptionRule* FindOption(std::string_view name) {
  for (const OptionRule& rule : kOptions) {
    if (name == rule.name) return &rule;
  }
  return nullptr;
}

struct CustomField {
  const char* field;
  const char* option;
};
constexpr CustomField kCustomFields[] = {
    {"Text2", "Option3"}, {"Text4", "Option11"}, {"Text3", "Option4"}, {"Text5", "Option14"}};

constexpr Preset kPresets[] = {
    {"Command11", "Text8", " ", "Text7", "_"},
    {"Command12", "Text8", "_", "Text7", " "},
    {"Command13", "Text8", " ", "Text7", ""},
    {"Command16", "extad", ".old", nullptr, nullptr},
    {"Command15", "extad", ".bak", nullptr, nullptr},
};

}  // namespace

std::span<const OperationTab> OperationTabs() { return kOperationTabs; }
std::span<const char* const> TargetTabs() { return kTargetTabs; }

void ChooseOperationTab(WindowState& state, std::string_view caption) {
  for (const OperationTab& tab : kOperationTabs) {
    if (caption == tab.caption) state.active_operation = tab.operation;
  }
}

void ChooseTargetTab(WindowState& state, std::string_view caption) {
  if (caption == kDirectoriesCaption) {
    state.TargetKind = true;
    state.before = kExampleDirectory;
    state.SmartCheck = false;
  } else {
    state.TargetKind = false;
    state.before = kExampleFilename;
  }
}

bool PageShown(const WindowState& state, std::string_view page) {
  if (page == "dirs") return state.TargetKind;
  if (page == "files") return !state.TargetKind;
  for (const OperationTab& tab : kOperationTabs) {
    if (page == tab.page) return state.active_operation == tab.operation;
  }
  return false;
}

void LoadDateCaptions(WindowState& state, const CalendarDate& today) {
  state.common_style.captions = MakeDateCaptions(today);
}

std::string ControlCaption(const WindowState& state, std::string_view name,
                           std::string_view designed) {
  const DateCaptions& dates = state.common_style.captions;
  if (name == "Option7") return dates.Option7;
  if (name == "Option8") return dates.Option8;
  if (name == "Option9") return dates.Option9;
  if (name == "Option10") return dates.Option10;
  return std::string(designed);
}

bool OptionChosen(const WindowState& state, std::string_view name) {
  const OptionRule* rule = FindOption(name);
  return rule != nullptr && rule->chosen(state);
}

bool ChooseOption(WindowState& state, std::string_view name) {
  const OptionRule* rule = FindOption(name);
  if (rule == nullptr) return false;
  rule->choose(state);
  return true;
}

std::span<const char* const> ChoiceItems(std::string_view name) {
  if (name == "DateChoice") return kDateChoiceCaptions;
  if (name == "NumberingOrder") return kNumberingOrderCaptions;
  return {};
}

int ChosenItem(const WindowState& state, std::string_view name) {
  if (name == "DateChoice") return static_cast<int>(state.common_style.date_choice);
  if (name == "NumberingOrder") return static_cast<int>(state.numbering.order);
  return -1;
}

bool ChooseItem(WindowState& state, std::string_view name, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= ChoiceItems(name).size()) return false;
  if (name == "DateChoice") state.common_style.date_choice = static_cast<DateChoice>(index);
  if (name == "NumberingOrder") state.numbering.order = static_cast<NumberingOrder>(index);
  return true;
}

bool* CheckValue(WindowState& state, std::string_view name) {
  if (name == "SmartCheck") return &state.SmartCheck;
  if (name == "RegexCheck") return &state.RegexCheck;
  if (name == "MatchCase") return &state.MatchCase;
  if (name == "CaseExtOnly") return &state.CaseExtOnly;
  if (name == "sortleading") return &state.numbering.sortleading;
  if (name == "sortlen") return &state.numbering.sortlen;
  if (name == "sortstartat") return &state.numbering.sortstartat;
  return nullptr;
}

std::optional<Message> SetCheck(WindowState& state, std::string_view name, bool on) {
  bool* value = CheckValue(state, name);
  if (value == nullptr) return std::nullopt;
  *value = on;
  if (name == "SmartCheck" && on && state.TargetKind) {
    state.SmartCheck = false;
    return Message{messages::kSmartFileModeFilesOnly, messages::kErrorTitle,
                   MessageIcon::Exclamation};
  }
  return std::nullopt;
}

std::string* FieldValue(WindowState& state, std::string_view name) {
  CommonStyleSettings& style = state.common_style;
  if (name == "Text2") return &style.Text2;
  if (name == "Text4") return &style.Text4;
  if (name == "Text3") return &style.Text3;
  if (name == "Text5") return &style.Text5;
  if (name == "Text6") return &state.Text6;
  if (name == "Text8") return &state.Text8;
  if (name == "Text7") return &state.Text7;
  if (name == "extad") return &state.extad;
  if (name == "sortlennum") return &state.numbering.sortlennum;
  if (name == "sortstartatnum") return &state.numbering.sortstartatnum;
  if (name == "before") return &state.before;
  if (name == "after") return &state.after;
  return nullptr;
}

bool RefreshesOnChange(std::string_view field) { return CustomOptionOf(field) == nullptr; }

const char* CustomOptionOf(std::string_view field) {
  for (const CustomField& custom : kCustomFields) {
    if (field == custom.field) return custom.option;
  }
  return nullptr;
}

bool TypedKeyAllowed(std::string_view field, char32_t key) {
  if (field != "Text6") return true;
  return (key >= U'0' && key <= U'9') || key == U'\b';
}

bool ControlEnabled(const WindowState& state, std::string_view name) {
  if (name == "sortlen" || name == "sortlennum") return state.numbering.sortleading;
  return true;
}

const Preset* FindPreset(std::string_view button) {
  for (const Preset& preset : kPresets) {
    if (button == preset.button) return &preset;
  }
  return nullptr;
}

void ApplyPreset(WindowState& state, const Preset& preset) {
  *FieldValue(state, preset.field_a) = preset.text_a;
  if (preset.field_b != nullptr) *FieldValue(state, preset.field_b) = preset.text_b;
}

}  // namespace kestro
