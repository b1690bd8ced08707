#include "cli/help_texts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace kestro {
namespace {

constexpr std::array<HelpLabel, 25> kLabels{{
    {"Label11", {108, 216, 2940, 192}, true, false, "KESTRO <path> <mode> <options>"},
    {"Label1", {72, 612, 612, 192}, true, false, "<path>:"},
    {"Label3",
     {828, 612, 3972, 192},
     false,
     false,
     "The directory in which you wish Kestrovane to process."},
    {"Label13", {72, 936, 720, 192}, true, false, "<mode>:"},
    {"Label14", {912, 936, 204, 192}, true, false, "-D"},
    {"Label40", {2160, 936, 1548, 192}, false, false, "-- Process Directories"},
    {"Label39", {900, 1188, 1116, 192}, true, false, "-F <filemask>"},
    {"Label41",
     {2160, 1188, 4572, 192},
     false,
     false,
     "-- Process Files, according to <filemask>, for example *.* or *.doc"},
    {"Label42", {72, 1512, 1152, 192}, true, false, "<commands>:"},
    {"Label27", {936, 1764, 1644, 192}, true, false, "-L <new name type>"},
    {"Label28",
     {2700, 1764, 5112, 552},
     false,
     true,
     "-- Rename literally, i.e. to how it is presented on the commandline. Uses \"identifiers\", "
     "such as $NAME (required), or $DATE1 - $DATE4"},
    {"Label5", {936, 2160, 660, 192}, true, false, "-SL <x> "},
    {"Label43",
     {2700, 2160, 3180, 192},
     false,
     false,
     "-- Strip from the left, <x> number of characters."},
    {"Label10", {936, 2448, 1320, 192}, true, false, "-SR <x> [-noext]"},
    {"Label44",
     {2700, 2448, 4836, 444},
     false,
     true,
     "-- Strip from the right, <x> number of characters. If the -noext option is supplied, "
     "Kestrovane will not cut of the extension."},
    {"Label29", {936, 2880, 2736, 192}, true, false, "-R <replace what> <replace with>"},
    {"Label34",
     {3852, 2880, 3396, 192},
     false,
     false,
     "-- Replaces \"<Replace>\" with \"<ReplaceWith\">"},
    {"Label33", {936, 3204, 5880, 192}, true, false, "-C <upper/lower/sentence>"},
    {"Label6", {3852, 3204, 1152, 192}, false, false, "-- Change Case."},
    {"Label2", {936, 3528, 2280, 192}, true, false, "-NA [-L [<length>] ] [-S <x> ]"},
    {"Label7",
     {3420, 3528, 3972, 588},
     false,
     true,
     "-- Number files Ascending.. -L - Add leading Zeros. If <Length> is provided, Kestrovane "
     "will base the number on a length of <length> digits... I.e. 5. "},
    {"Label8",
     {3384, 4140, 4332, 516},
     false,
     true,
     "the -S option tells Kestrovane that you wish to start at position <x> - if you wish "
     "continue an existing list."},
    {"Label4", {936, 4536, 2292, 192}, true, false, "-ND [-L [<length>] ] [-S <x> ]"},
    {"Label9",
     {3384, 4536, 3996, 192},
     false,
     false,
     "-- Same as above, yet, in reverse order, i.e. Descending."},
    {"Label32",
     {828, 5040, 6180, 192},
     false,
     false,
     "For examples on usage, or further, more indepth information, please view the userguide."},
}};

// Rows that start right of the "<path>:" column (the switches under "<mode>:" and "<commands>:")
// are set in by two blanks, their explanations in one column after the longest switch.
constexpr int kIndentedFrom = 600;
constexpr std::size_t kIndent = 2;

std::size_t ExplanationColumn() {
  std::size_t widest = 0;
  for (const HelpLabel& label : kLabels) {
    if (label.bold && label.place.left > kIndentedFrom) {
      widest = std::max(widest, std::string_view(label.text).size());
    }
  }
  return kIndent + widest + 2;
}

}  // namespace

std::span<const HelpLabel> HelpLabels() { return kLabels; }

std::string HelpTextForTerminal() {
  const std::size_t column = ExplanationColumn();
  std::string out = std::string(kHelpFrameCaption) + "\n";
  const std::array<int, 2> rules{kFrame6Place.top, kFrame4Place.top};
  std::size_t next_rule = 0;
  std::size_t line_start = 0;
  bool aligned_row = false;
  int row_top = -1;
  for (const HelpLabel& label : kLabels) {
    if (label.place.top != row_top) {
      if (row_top >= 0) out += "\n";
      while (next_rule < rules.size() && rules[next_rule] < label.place.top) {
        out += "\n";
        ++next_rule;
      }
      row_top = label.place.top;
      line_start = out.size();
      // The syntax line and the closing note stand alone, between the rules.
      const bool inside_rules =
          label.place.top > kFrame6Place.top && label.place.top < kFrame4Place.top;
      aligned_row = inside_rules && label.place.left > kIndentedFrom;
      if (aligned_row) out.append(label.bold ? kIndent : column, ' ');
    } else {
      const std::size_t used = out.size() - line_start;
      out.append(aligned_row && used + 2 < column ? column - used : 2, ' ');
    }
    out += label.text;
  }
  out += "\n";
  return out;
}

std::string HeadlessHelp() {
  return HelpTextForTerminal() +
         "\nAlso: kestro --dry-run <path> <mode> <options> shows what the run would rename, "
         "changing nothing; kestro --undo [--dry-run] takes the last batch back, saying which;\n"
         "kestro --undo --list lists the kept batches.\n"
         "After the mode: -CE <upper/lower/sentence> changes the case of the extension alone.\n"
         "-RX <pattern> <replace with> [-case] replaces every match of a regular expression "
         "(PCRE2): $1 or ${name} puts a group back, \\U$1 in capitals, \\L$1 in small letters. "
         "-R and -RX match letters in their own case with the last word -case.\n"
         "-L also takes each entry's own dates and extension: $TAKEN (the date the photo was "
         "taken, from its Exif data) and $MODIFIED (the file's date modified), written "
         "YYYYMMDD_HHMMSS; $TAKEN1-$TAKEN4 and $MODIFIED1-$MODIFIED4 in the forms of "
         "$DATE1-$DATE4; "
         "$EXT, the old extension with its dot. kestro ~/Photos -F '*.jpg' -L '$TAKEN$EXT' names "
         "each photo by the date it was taken; a photo without that date keeps its name and is "
         "reported, so is the second of two taken in the same second (add $NAME to tell them "
         "apart).\n"
         "-NAT, -NDT (-NAM, -NDM) number in the order of the date taken (modified), oldest first, "
         "with the options of -NA.\n"
         "kestro --window <folder> opens the window on that folder.\n"
         "These options stand first; --dry-run may also stand last, after the options: "
         "kestro <path> <mode> <options> --dry-run.\n";
}

}  // namespace kestro
