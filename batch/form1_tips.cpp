// The tooltips of Form1's controls.
#include "batch/form1_tips.h"

namespace kestro {
namespace {

constexpr ControlTip kTips[] = {
    {"Drive1", "The drive whose folders the tree shows"},
    {"Drive2", "The drive whose folders the tree shows"},
    {"Dir1",
     "Click a folder to rename its sub-directories; double-click to open it. Type a path, or "
     "press Ctrl+L, to open a folder by its path"},
    {"Dir3",
     "Click a folder to rename its files; double-click to open it. Type a path, or press "
     "Ctrl+L, to open a folder by its path"},
    {"List1", "Click to select; Shift+click selects a range, Ctrl+A all"},
    {"List2", "Click to select; Shift+click selects a range, Ctrl+A all"},
    {"Command5", "Select every entry of the list"},
    {"Command7", "Select every entry of the list"},
    {"Command6", "Select no entry of the list"},
    {"Command8", "Select no entry of the list"},
    {"Command10", "Rename the selected entries as the example shows (Alt+R)"},
    {"Command3", "The user guide (F1, Alt+H)"},
    {"Command4", "About Kestrovane (Alt+A)"},
    {"Command1", "Close Kestrovane (Alt+Q)"},
    {"PreviewToggle", "Show what \"Rename!\" will do with every selected entry (Alt+P)"},
    {"before", "A name as it is"},
    {"after", "The same name after the operation"},
    {"SmartCheck", "Strip from the name and keep the file's extension"},
    {"CaseExtOnly", "Change the case of the part after the last dot alone"},
    {"DateChoice",
     "Where the four dates come from: today, or each photo's date taken or each "
     "file's date modified"},
    {"NumberingOrder",
     "Count in list order, or by each entry's date taken or modified, oldest "
     "first"},
    {"Text6", "How many characters to strip"},
    {"Text8", "The text to replace, found without regard to case unless \"Match case\" is checked"},
    {"RegexCheck",
     "Field A is a regular expression: $1 in field B puts back a group, \\U$1 in capitals"},
    {"MatchCase", "Field A matches only in its own letter case"},
    {"Text7", "The text to put in its place; empty removes it"},
    {"extad", "The text added to the end of every name"},
    {"TabStrip2", "What to rename: sub-directories or files (Alt+D, Alt+F)"},
    {"TabStrip1", "The operation \"Rename!\" applies (Alt+E, T, L, C, X, N)"},
    {"Frame8", "The mark put before the info"},
    {"Frame9", "The info: today's date in one of four orders, or a text of your own"},
    {"Frame4", "The mark put after the info"},
    {"Frame6", "What stands between the prefix and the name"},
    {"leftoption", "Strip from the start of the name"},
    {"rightoption", "Strip from the end of the name"},
    {"Frame1", "Fill in both fields with a common replacement"},
    {"lowercase", "Every letter small"},
    {"uppercase", "Every letter capital"},
    {"sentence", "The first letter and every letter after a blank capital, the others small"},
    {"Frame3", "Fill in a common extension"},
    {"sortascending", "Number the entries from the first in the list"},
    {"sortdescending", "Number the entries from the last in the list"},
    {"sortleading", "Write every number with as many digits as the largest"},
    {"sortlen", "Write every number with this many digits"},
    {"sortlennum", "How many digits every number gets"},
    {"sortstartat", "Start numbering at this number instead of 1"},
    {"sortstartatnum", "The first number"},
};

}  // namespace

std::span<const ControlTip> Form1Tips() { return kTips; }

const char* Form1Tip(std::string_view name) {
  for (const ControlTip& tip : kTips) {
    if (name == tip.name) return tip.text;
  }
  return nullptr;
}

}  // namespace kestro
