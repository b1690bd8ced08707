#include "engine/mode_switch.h"

#include "engine/numbering.h"
#include "engine/process_string.h"
#include "engine/utf8_text.h"

namespace kestro {
namespace {

// "-NA" and "-ND", and their forms that count in date order ("-NAT", "-NDM", ...), upper-cased.
bool IsNumberingSwitch(std::string_view name) {
  return name == "-NA" || name == "-ND" || name == "-NAT" || name == "-NDT" || name == "-NAM" ||
         name == "-NDM";
}

}  // namespace

ModeSwitch ParseModeSwitch(BatchTarget target, const CommandArgs& args) {
  // Files: "<path> -F <mask> <switch> ..."; directories: "<path> -D <switch> ...".
  const std::size_t at = target == BatchTarget::Files ? 4 : 3;
  constexpr std::size_t kLastParameter = 9;
  const auto word = [&](std::size_t offset) -> const std::string& { return args[at + offset]; };

  ModeSwitch result;
  const std::string name = ToUpper(args[at]);
  if (name == "-SL" || name == "-SR") {
    result.mode = RenameMode::Strip;
    result.param1 = word(1);
    result.param2 = name == "-SL" ? "1" : "2";
    // "-noext" is the documented word, but any word keeps the extension; directories have none.
    result.check_smart = name == "-SR" && target == BatchTarget::Files && !word(2).empty();
  } else if (name == "-R" || name == "-RX") {
    // "~" is how a blank is written on the command line. A third word other than "-case" is
    // ignored, as it always was for "-R".
    result.mode = RenameMode::Replace;
    result.param1 = ReplaceAll(word(1), "~", " ");
    result.param2 = ReplaceAll(word(2), "~", " ");
    result.regex = name == "-RX";
    result.match_case = ToUpper(word(3)) == "-CASE";
  } else if (name == "-C" || name == "-CE") {
    const std::string choice = ToUpper(word(1));
    result.mode = RenameMode::Case;
    result.extension_only = name == "-CE";
    if (choice.starts_with('L')) {
      result.param1 = "2";
    } else if (choice.starts_with('U')) {
      result.param1 = "1";
    } else if (choice.starts_with('S')) {
      result.param1 = "3";
    } else {
      ModeSwitch rejected;
      rejected.rejected = true;
      return rejected;
    }
  } else if (name == "-L") {
    // Absent words join as empty text, so the template may end in blanks; the rename drops them.
    result.mode = RenameMode::Literal;
    for (std::size_t i = at + 1; i <= kLastParameter; ++i) {
      if (i > at + 1) result.param1 += ' ';
      result.param1 += args[i];
    }
  } else if (IsNumberingSwitch(name)) {
    result.mode = RenameMode::Numbering;
    result.numbering = true;
    result.descending = name.starts_with("-ND");
    result.order = name.size() == 3 ? NumberingOrder::Name
                   : name[3] == 'T' ? NumberingOrder::Taken
                                    : NumberingOrder::Modified;
    result.param1 = result.descending ? "2" : "1";
    for (std::size_t i = 0; i < result.sort_words.size(); ++i) result.sort_words[i] = word(i + 1);
    result.has_sort_words = !result.sort_words[0].empty();
  } else {
    result.rejected = true;
  }
  return result;
}

std::vector<WordPlace> WordPlaces(std::span<const std::string> words) {
  constexpr std::size_t kLastWord = 20;  // CommandArgs drops the words after it
  constexpr std::size_t kLastTemplateWord = 9;
  std::vector<WordPlace> places(words.size(), WordPlace::kIgnored);
  const auto word = [&](std::size_t n) { return n <= words.size() ? words[n - 1] : std::string(); };
  const auto place = [&](std::size_t first, std::size_t last, WordPlace what) {
    for (std::size_t n = first; n <= last && n <= words.size() && n <= kLastWord; ++n)
      places[n - 1] = what;
  };
  place(1, 1, WordPlace::kFolder);
  place(2, 2, WordPlace::kTarget);
  const bool files = ToUpper(word(2)) != "-D";
  if (files) place(3, 3, WordPlace::kMask);
  const std::size_t at = files ? 4 : 3;
  place(at, at, WordPlace::kSwitch);
  const std::string name = ToUpper(word(at));
  if (name == "-SL" || name == "-C" || name == "-CE") {
    place(at + 1, at + 1, WordPlace::kValue);
  } else if (name == "-SR") {
    place(at + 1, files ? at + 2 : at + 1, WordPlace::kValue);
  } else if (name == "-R" || name == "-RX") {
    place(at + 1, at + 2, WordPlace::kText);
  } else if (name == "-L") {
    place(at + 1, kLastTemplateWord, WordPlace::kValue);
  } else if (IsNumberingSwitch(name)) {
    place(at + 1, word(at + 1).empty() ? at + 1 : at + 4, WordPlace::kValue);
  }
  return places;
}

std::string CommandLineFault(const CommandArgs& args) {
  const std::string target = ToUpper(args[2]);
  if (target.empty()) return "missing switch after the folder: -D, or -F <filemask>";
  if (target != "-D" && target != "-F") return "unknown switch '" + args[2] + "'";
  const bool files = target == "-F";
  const std::size_t at = files ? 4 : 3;
  const std::string& typed = args[at];
  const std::string name = ToUpper(typed);
  if (name.empty()) return files ? "missing switch after the file mask" : "missing switch after -D";
  const ModeSwitch mode =
      ParseModeSwitch(files ? BatchTarget::Files : BatchTarget::Directories, args);
  if (mode.rejected) {
    if (name != "-C" && name != "-CE") return "unknown switch '" + typed + "'";
    if (args[at + 1].empty()) return "missing word after " + typed + ": upper, lower or sentence";
    return typed + " takes upper, lower or sentence, not '" + args[at + 1] + "'";
  }
  if (mode.numbering && mode.has_sort_words) {
    NumberingSettings scratch;
    const auto& w = mode.sort_words;
    if (ParseSortLine(scratch, w[0], w[1], w[2], w[3]) == SortLineResult::kRejected) {
      std::string given;
      for (const std::string& one : w) given += one.empty() ? "" : (given.empty() ? "" : " ") + one;
      return typed + " takes [-L [<length>] ] [-S <x> ], not '" + given + "'";
    }
  }
  return "";
}

}  // namespace kestro
