// The description of one rename operation: its mode, its two text parameters, and the settings of
// the window's "Rename" (common style) and "Numbering" pages as plain values.
#pragma once

#include <cstdint>
#include <string>

#include "engine/entry_dates.h"

namespace kestro {

// The operation code. Any other value (None among them) leaves names unchanged; a value read from
// elsewhere may be cast in, e.g. static_cast<RenameMode>(9).
enum class RenameMode : std::int16_t {
  None = 0,
  CommonStyle = 1,
  Strip = 2,
  Replace = 3,
  Case = 4,
  Extension = 5,
  Literal = 6,
  Numbering = 7,
};

// The captions of the four date options of the "Info" group, set once when the window loads.
struct DateCaptions {
  std::string Option7;   // "MMDD"
  std::string Option8;   // "DDMM"
  std::string Option9;   // "MMDDYY"
  std::string Option10;  // "DDMMYY"
};

// The four option groups of the "Rename" page; the selected option of each group and the custom
// texts beside them. Initial values are the window's design values: "(", MMDD, ")", " Nothing".
struct CommonStyleSettings {
  enum class Left { Option1, Option2, Option20, Option21, Option3 };
  enum class Info { Option7, Option8, Option9, Option10, Option11 };
  enum class Right { Option6, Option5, Option18, Option19, Option4 };
  enum class Seperator { Option12, Option13, Option14 };

  Left left = Left::Option1;
  Info info = Info::Option7;
  Right right = Right::Option6;
  Seperator seperator = Seperator::Option13;
  std::string Text2;  // custom left mark (Option3), at most 5 characters in the window
  std::string Text4;  // custom info (Option11), no limit
  std::string Text3;  // custom right mark (Option4), at most 5 characters in the window
  std::string Text5;  // custom separator (Option14), at most 5 characters in the window
  DateCaptions captions;
  // Where the four date options take their date; with Taken or Modified each entry's own date
  // in the option's format replaces the caption's (the custom info Option11 takes none).
  DateChoice date_choice = DateChoice::Today;
};

// The controls of the "Numbering" page.
struct NumberingSettings {
  bool sortascending = true;  // false: sortdescending is selected
  bool sortleading = false;   // "Add leading zeros ..."
  bool sortlen = false;       // "Use digit length of:"
  std::string sortlennum;     // one character in the window
  bool sortstartat = false;   // "Start at position:"
  std::string sortstartatnum;
  NumberingOrder order = NumberingOrder::Name;  // "Count in order of:" name, date taken, modified
};

// One operation as ProcessString sees it.
struct RenameOperation {
  RenameMode mode = RenameMode::None;
  std::string param1;
  std::string param2;
  bool keep_extension = false;  // SmartCheck; consulted only when stripping from the right
  bool extension_only = false;  // CaseExtOnly; consulted only by Case: the extension alone
  bool regex = false;       // RegexCheck; consulted only by Replace: param1 is a regular expression
  bool match_case = false;  // MatchCase; consulted only by Replace: letters match in their case
  CommonStyleSettings common_style;  // consulted only by CommonStyle
};

// The three numbers that numbering puts into a name.
struct NumberingValues {
  std::int32_t entry_number = 1;
  std::int32_t highest_number = 1;
  std::int16_t digit_width = 1;
};

}  // namespace kestro
