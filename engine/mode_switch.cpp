#include "engine/mode_switch.h"

#include "engine/process_string.h"
#include "engine/utf8_text.h"

namespace kestro {

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
  } else if (name == "-NA" || name == "-ND") {
    result.mode = RenameMode::Numbering;
    result.numbering = true;
    result.descending = name == "-ND";
    result.param1 = result.descending ? "2" : "1";
    for (std::size_t i = 0; i < result.sort_words.size(); ++i) result.sort_words[i] = word(i + 1);
    result.has_sort_words = !result.sort_words[0].empty();
  } else {
    result.rejected = true;
  }
  return result;
}

}  // namespace kestro
