// The control table of Form1. The Rename page, the pickers, the example box and the buttons sit
// where the design puts them; the other operation pages had no places in the design and get
// rows of their own, at the width of the tab strip's panel, as their longer captions need it.
#include "batch/form1_design.h"

#include <cstring>
#include <vector>

#include "batch/folder_dates.h"

namespace kestro {
namespace {

using K = ControlKind;

// Places shared by several controls.
constexpr TwipRect kPickerPage{36, 324, 3396, 4764};
constexpr TwipRect kRenamePage{4032, 396, 3900, 3036};
constexpr TwipRect kOtherPage{3624, 396, 4560, 3084};

// clang-format off
constexpr FormControl kControls[] = {
    // Left: what to rename.
    {"TabStrip2", K::kTabStrip, nullptr, {0, 0, 3504, 5160}},
    {"dirs", K::kFrame, nullptr, kPickerPage, "Pick Directories to Process."},
    {"Drive1", K::kDriveList, "dirs", {72, 216, 3252, 288}},
    {"Dir1", K::kTreeList, "dirs", {72, 540, 3252, 1584}},
    {"List1", K::kMultiList, "dirs", {72, 2160, 3252, 2160}},
    {"Command5", K::kButton, "dirs", {72, 4356, 1632, 372}, "Select All"},
    {"Command6", K::kButton, "dirs", {1728, 4356, 1596, 372}, "Select None"},
    {"files", K::kFrame, nullptr, kPickerPage, "Pick Files to Process."},
    {"Drive2", K::kDriveList, "files", {72, 216, 3252, 288}},
    {"Dir3", K::kTreeList, "files", {72, 540, 3252, 1584}},
    {"List2", K::kMultiList, "files", {72, 2160, 3252, 2160}},
    {"Command7", K::kButton, "files", {72, 4356, 1632, 372}, "Select All"},
    {"Command8", K::kButton, "files", {1728, 4356, 1596, 372}, "Select None"},

    // Right: the operation and its settings.
    {"TabStrip1", K::kTabStrip, nullptr, {3564, 0, 4680, 3540}},
    {"rename", K::kPage, nullptr, kRenamePage},
    {"Frame8", K::kFrame, "rename", {36, 36, 3720, 552}, "Left"},
    {"Option1", K::kOption, "Frame8", {120, 228, 420, 264}, "("},
    {"Option2", K::kOption, "Frame8", {600, 228, 420, 264}, "["},
    {"Option20", K::kOption, "Frame8", {1080, 228, 420, 264}, "<"},
    {"Option21", K::kOption, "Frame8", {1560, 228, 420, 264}, "{"},
    {"Option3", K::kOption, "Frame8", {2340, 228, 252, 264}},
    {"Text2", K::kField, "Frame8", {2616, 192, 1008, 300}, "", 5},
    {"Frame9", K::kFrame, "rename", {36, 612, 3720, 876}, "Info"},
    {"Option7", K::kOption, "Frame9", {96, 228, 816, 264}},
    {"Option8", K::kOption, "Frame9", {936, 228, 816, 264}},
    {"Option9", K::kOption, "Frame9", {1776, 228, 900, 264}},
    {"Option10", K::kOption, "Frame9", {2700, 228, 900, 264}},
    {"Option11", K::kOption, "Frame9", {120, 540, 252, 264}},
    {"Text4", K::kField, "Frame9", {396, 504, 600, 300}},
    {"Frame4", K::kFrame, "rename", {36, 1512, 3720, 552}, "Right"},
    {"Option6", K::kOption, "Frame4", {120, 228, 420, 264}, ")"},
    {"Option5", K::kOption, "Frame4", {600, 228, 420, 264}, "]"},
    {"Option18", K::kOption, "Frame4", {1080, 228, 420, 264}, ">"},
    {"Option19", K::kOption, "Frame4", {1560, 228, 420, 264}, "}"},
    {"Option4", K::kOption, "Frame4", {2340, 228, 252, 264}},
    {"Text3", K::kField, "Frame4", {2616, 192, 1008, 300}, "", 5},
    {"Frame6", K::kFrame, "rename", {36, 2088, 3720, 588}, "Seperator"},
    {"Option12", K::kOption, "Frame6", {120, 240, 996, 264}, "Hyphen"},
    {"Option13", K::kOption, "Frame6", {1140, 240, 1020, 264}, " Nothing"},
    {"Option14", K::kOption, "Frame6", {2340, 240, 252, 264}},
    {"Text5", K::kField, "Frame6", {2616, 204, 1008, 300}, "", 5},
    {"Label3", K::kLabel, "rename", {36, 2736, 3864, 264},
     "<left><info><right> <separater> <name>"},

    {"strip", K::kPage, nullptr, kOtherPage},
    {"Label4", K::kLabel, "strip", {120, 156, 2520, 264}, "Strip how many characters?:"},
    {"Text6", K::kField, "strip", {2580, 120, 480, 300}, "", 2},
    {"Label6", K::kLabel, "strip", {120, 552, 1296, 264}, "Strip from the:"},
    {"leftoption", K::kOption, "strip", {1440, 528, 840, 264}, "Left"},
    {"rightoption", K::kOption, "strip", {2340, 528, 840, 264}, "Right"},
    {"SmartCheck", K::kCheck, "strip", {120, 924, 4320, 264},
     "Smart File Mode (i.e. Dont strip file Extension)"},

    {"replace", K::kPage, nullptr, kOtherPage},
    {"Label10", K::kLabel, "replace", {120, 120, 4440, 456},
     "Replace Character(s) in field A with those in field B:", 0, false, false, true},
    {"Label7", K::kLabel, "replace", {120, 660, 300, 264}, "A:"},
    {"Text8", K::kField, "replace", {456, 624, 3984, 300}},
    {"Label11", K::kLabel, "replace", {120, 1044, 300, 264}, "B:"},
    {"Text7", K::kField, "replace", {456, 1008, 3984, 300}},
    // How field A matches, below the fields; the presets make room for them.
    {"RegexCheck", K::kCheck, "replace", {120, 1380, 2160, 264}, "Regular expression"},
    {"MatchCase", K::kCheck, "replace", {2340, 1380, 2100, 264}, "Match case"},
    {"Frame1", K::kFrame, "replace", {120, 1704, 4320, 1356}, "Presets"},
    {"Command11", K::kButton, "Frame1", {120, 216, 4080, 336}, "Space to Underline"},
    {"Command12", K::kButton, "Frame1", {120, 600, 4080, 336}, "Underline to Space"},
    {"Command13", K::kButton, "Frame1", {120, 984, 4080, 336}, "Remove Spaces"},

    {"selectcase", K::kPage, nullptr, kOtherPage},
    {"Label1", K::kLabel, "selectcase", {120, 120, 2400, 264}, "Convert to -"},
    {"lowercase", K::kOption, "selectcase", {120, 456, 3000, 264}, "Lowercase"},
    {"uppercase", K::kOption, "selectcase", {120, 780, 3000, 264}, "Uppercase"},
    {"sentence", K::kOption, "selectcase", {120, 1104, 3000, 264}, "Sentence Capitalization"},
    // The extension alone (the part after the last dot): "IMG_1.JPG" to "IMG_1.jpg".
    {"CaseExtOnly", K::kCheck, "selectcase", {120, 1428, 4320, 264},
     "Change the extension's case only"},

    {"extensionf", K::kPage, nullptr, kOtherPage},
    {"Label8", K::kLabel, "extensionf", {120, 156, 1620, 264}, "Add to Extension:"},
    {"extad", K::kField, "extensionf", {1800, 120, 2640, 300}},
    {"Frame3", K::kFrame, "extensionf", {120, 540, 4320, 1068}, "Presets"},
    {"Command16", K::kButton, "Frame3", {120, 240, 4080, 360}, ".old"},
    {"Command15", K::kButton, "Frame3", {120, 648, 4080, 360}, ".bak"},

    {"sort", K::kPage, nullptr, kOtherPage},
    {"sortascending", K::kOption, "sort", {120, 120, 2400, 264}, "Ascending"},
    {"sortdescending", K::kOption, "sort", {120, 420, 2400, 264}, "Descending"},
    {"sortleading", K::kCheck, "sort", {120, 720, 4320, 456},
     "Add leading zeros to smaller numbers to make sizes equal.", 0, false, false, true},
    {"sortlen", K::kCheck, "sort", {420, 1236, 1860, 264}, "Use digit length of:"},
    {"sortlennum", K::kField, "sort", {2316, 1200, 420, 300}, "", 1},
    {"sortstartat", K::kCheck, "sort", {120, 1596, 1860, 264}, "Start at position:"},
    {"sortstartatnum", K::kField, "sort", {2016, 1560, 2424, 300}},

    // The example.
    {"Frame2", K::kFrame, nullptr, {3564, 3600, 4692, 876}, "Example"},
    {"Label2", K::kLabel, "Frame2", {72, 216, 636, 264}, "Before:"},
    {"before", K::kField, "Frame2", {720, 216, 3816, 264}, "", 0, true},
    {"Label5", K::kLabel, "Frame2", {72, 504, 636, 264}, "After:"},
    // `after` lies over the example box, at window coordinates.
    {"after", K::kField, nullptr, {4284, 4104, 3828, 264}, "", 0, true},

    {"Command10", K::kButton, nullptr, {3564, 4536, 1380, 624}, "Rename!", 0, false, true},
    {"Command3", K::kButton, nullptr, {4968, 4536, 1884, 300}, "Help"},
    {"Command4", K::kButton, nullptr, {4968, 4860, 1884, 300}, "About"},
    {"Command1", K::kButton, nullptr, {6876, 4536, 1380, 624}, "Quit"},

    // Below the design: what the last batch or undo did, the Undo and the outcome preview.
    {"StatusLine", K::kStatusLine, nullptr, {36, kForm1StatusTop, 6516, kForm1StatusHeight}},
    {"Undo", K::kButton, nullptr, {6600, kForm1StatusTop, 744, kForm1StatusHeight}, "Undo"},
    {"PreviewToggle", K::kToggle, nullptr, {7380, kForm1StatusTop, 876, kForm1StatusHeight},
     "Preview"},
};

constexpr AddedControl kDateControls[] = {
    {"Text4", {"DateChoiceLabel", K::kLabel, "Frame9", {1044, 540, 996, 264}, kDateChoiceLabel}},
    {"DateChoiceLabel", {"DateChoice", K::kChoiceList, "Frame9", {2088, 504, 1536, 300}}},
    {"sortstartatnum",
     {"NumberingOrderLabel", K::kLabel, "sort", {120, 1992, 1860, 264}, kNumberingOrderLabel}},
    {"NumberingOrderLabel", {"NumberingOrder", K::kChoiceList, "sort", {2016, 1956, 2424, 300}}},
};
// clang-format on

constexpr const char* kPages[] = {"dirs",    "files",      "rename",     "strip",
                                  "replace", "selectcase", "extensionf", "sort"};

bool IsPage(const char* name) {
  for (const char* page : kPages) {
    if (std::strcmp(page, name) == 0) return true;
  }
  return false;
}

}  // namespace

std::span<const FormControl> Form1Controls() { return kControls; }

std::span<const AddedControl> Form1DateControls() { return kDateControls; }

std::span<const FormControl> Form1ControlsWithDates() {
  static const std::vector<FormControl> all = [] {
    std::vector<FormControl> controls;
    const auto add_after = [&controls](const char* name, const auto& self) -> void {
      for (const AddedControl& added : kDateControls) {
        if (std::strcmp(added.after, name) == 0) {
          controls.push_back(added.control);
          self(added.control.name, self);
        }
      }
    };
    for (const FormControl& control : kControls) {
      controls.push_back(control);
      add_after(control.name, add_after);
    }
    return controls;
  }();
  return all;
}

const FormControl* FindForm1Control(std::string_view name) {
  for (const FormControl& control : Form1ControlsWithDates()) {
    if (name == control.name) return &control;
  }
  return nullptr;
}

TwipRect Form1Place(const FormControl& control) {
  TwipRect place = control.place;
  for (const FormControl* parent = control.parent ? FindForm1Control(control.parent) : nullptr;
       parent != nullptr; parent = parent->parent ? FindForm1Control(parent->parent) : nullptr) {
    place.left += parent->place.left;
    place.top += parent->place.top;
  }
  return place;
}

const char* Form1PageOf(const FormControl& control) {
  for (const FormControl* c = &control; c != nullptr;
       c = c->parent ? FindForm1Control(c->parent) : nullptr) {
    if (IsPage(c->name)) return c->name;
  }
  return nullptr;
}

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame:
    case ControlKind::kPage:
    case ControlKind::kLabel:
    case ControlKind::kStatusLine:
      return false;
    default:
      return true;
  }
}

}  // namespace kestro
