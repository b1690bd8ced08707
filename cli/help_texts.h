// The texts of the command-line help window Form3 with their places (twips), shared by the window
// and by the headless command line, which prints the same texts as lines in reading order.
#pragma once

#include <span>
#include <string>

#include "batch/twip_rect.h"

namespace kestro {

// One label of the help window, placed inside the frame Frame2.
struct HelpLabel {
  const char* name;  // the control's name, also its objectName
  TwipRect place;
  bool bold;   // the syntax column
  bool wraps;  // taller than one line: the text wraps inside its width
  const char* text;
};

inline constexpr char kHelpWindowTitle[] = "Kestrovane - Command Line Help";
inline constexpr char kHelpFrameCaption[] = "Commandline Parameters ";
inline constexpr char kHelpOkCaption[] = "OK";
inline constexpr char kHelpUserguideCaption[] = "Userguide";

// The client area of the window, the frame, the two rules and the two buttons.
inline constexpr TwipRect kForm3Client{0, 0, 7920, 5808};
inline constexpr TwipRect kFrame2Place{0, 0, 7896, 5340};
inline constexpr TwipRect kFrame6Place{72, 468, 7788, 48};        // rule under the syntax line
inline constexpr TwipRect kFrame4Place{72, 4932, 7788, 48};       // rule above the closing note
inline constexpr TwipRect kCommand2Place{4860, 5400, 1488, 408};  // "Userguide"
inline constexpr TwipRect kCommand1Place{6408, 5400, 1488, 408};  // "OK"

// Every label, from top to bottom and, within a row, from left to right.
[[nodiscard]] std::span<const HelpLabel> HelpLabels();

// The windows' one line below the texts above, left of the buttons (window coordinates): the
// program's own options and the switch added since, which those texts do not name. Not among
// HelpLabels(): the terminal's help names them in lines of its own (HeadlessHelp).
inline constexpr HelpLabel kHelpMoreLabel{
    "MoreOptions",
    {72, 5400, 4716, 408},
    false,
    true,
    "More: --dry-run, --undo, --window <folder>, -CE, $TAKEN, $MODIFIED, $EXT, -NAT; see the "
    "userguide."};

// The help for a terminal: the frame's caption, then one line per row of labels (the texts of a
// row joined by two blanks, rows below the syntax line indented by the column they start in), a
// blank line where the window draws a rule. Every text appears whole and unchanged.
[[nodiscard]] std::string HelpTextForTerminal();

// What the command line prints as its help without a display: the help window's texts, then one
// line naming the program's own options, which the window does not show.
[[nodiscard]] std::string HeadlessHelp();

}  // namespace kestro
