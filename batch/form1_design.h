// The main window Form1 as designed, for every toolkit that builds it: each control's design
// name, kind, parent, place in twips within its parent, caption and limits, in tab order.
//   for (const FormControl& c : Form1Controls()) Create(c.kind, c.name, Form1Place(c), c.caption);
#pragma once

#include <span>
#include <string_view>

#include "batch/twip_rect.h"

namespace kestro {

enum class ControlKind {
  kTabStrip,  // tabs along the top of its place, a panel below them
  kFrame,     // a captioned group frame
  kPage,      // a frame without border or caption: only a place for its controls
  kLabel,
  kField,   // a one-line text field
  kOption,  // an option (radio) button; the options of one parent form one exclusive group
  kCheck,
  kButton,
  kToggle,      // a button that stays pressed until clicked again
  kDriveList,   // a drop-down list of drives
  kChoiceList,  // a drop-down list of fixed choices (form1_rules.h: ChoiceItems)
  kTreeList,    // the chain of folders down to the open one, then its sub-directories
  kMultiList,   // a list in which a click selects or deselects an entry
  kStatusLine,  // a sunken one-line text; a click shows its details
};

struct FormControl {
  const char* name;  // the design name (objectName, the Win32 "Name" property)
  ControlKind kind;
  const char* parent;  // nullptr: the window itself
  TwipRect place;      // within the parent
  const char* caption = "";
  int max_length = 0;  // fields: most characters (0: no limit)
  bool read_only = false;
  bool bold = false;
  bool wraps = false;  // the caption may wrap onto a second line (else it is one line)
};

// The client area of the design, and the window's: the status line lies below the design with
// the Undo and Preview buttons at its right end; the preview, when shown, widens the window.
inline constexpr int kForm1DesignWidth = 8280;
inline constexpr int kForm1DesignHeight = 5172;
inline constexpr int kForm1StatusTop = kForm1DesignHeight + 48;
inline constexpr int kForm1StatusHeight = 300;
inline constexpr int kForm1ClientHeight = kForm1StatusTop + kForm1StatusHeight + 48;
inline constexpr int kForm1PreviewWidth = 7200;

// The outcome preview beside the window ("Preview"): the names of its summary line and of its
// rows, the same in both windows.
inline constexpr char kPreviewSummaryName[] = "PreviewSummary";
inline constexpr char kPreviewListName[] = "PreviewList";

// Every control of Form1, each after its parent, focusable ones in tab (reading) order. The
// controls that are never shown (Command2, Command9, Dir2, File1) have no place and are not here.
[[nodiscard]] std::span<const FormControl> Form1Controls();

// Controls beyond the design for the entries' own dates: "Date from:" and its choice beside the
// Info options of the Rename page, "Count in order of:" and its choice on the Numbering page. Each
// follows the control named `after` in tab order.
struct AddedControl {
  const char* after;
  FormControl control;
};
[[nodiscard]] std::span<const AddedControl> Form1DateControls();
// Form1Controls with Form1DateControls each in its place: the table of a window that shows them.
[[nodiscard]] std::span<const FormControl> Form1ControlsWithDates();

// The control named `name` (of Form1ControlsWithDates); nullptr when there is none.
[[nodiscard]] const FormControl* FindForm1Control(std::string_view name);

// The place of `control` within the window (its parent's places added up).
[[nodiscard]] TwipRect Form1Place(const FormControl& control);

// The page (dirs, files, rename, strip, replace, selectcase, extensionf, sort) `control` lies on,
// itself when it is one; nullptr for a control on no page, shown all the time.
[[nodiscard]] const char* Form1PageOf(const FormControl& control);

// Whether the kind takes the keyboard focus (joins the tab order).
[[nodiscard]] bool TakesFocus(ControlKind kind);

}  // namespace kestro
