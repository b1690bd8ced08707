#include "engine/mode_switch.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

// What the switch sets, in one line: "rejected", or the mode's number with both parameters
// quoted, then " smart" when SmartCheck gets checked, then for numbering " asc"/" desc" and the
// four words handed to the options parser (" sort[...]" only when the first is not empty).
std::string Summary(const ModeSwitch& s) {
  if (s.rejected) return "rejected";
  std::string out = std::to_string(static_cast<int>(s.mode)) + " '" + s.param1 + "' '" + s.param2 +
                    "'" + (s.check_smart ? " smart" : "") + (s.extension_only ? " ext" : "") +
                    (s.regex ? " regex" : "") + (s.match_case ? " case" : "");
  if (!s.numbering) return out;
  out += s.descending ? " desc" : " asc";
  if (s.has_sort_words) {
    out += " sort[" + s.sort_words[0] + "|" + s.sort_words[1] + "|" + s.sort_words[2] + "|" +
           s.sort_words[3] + "]";
  }
  return out;
}

TEST(ParseModeSwitchTest, FilesReadWordFourDirectoriesWordThree) {
  struct Case {
    bool files;
    const char* words;  // after "<path> -F <mask>" or "<path> -D"
    const char* summary;
  };
  const Case cases[] = {
      {true, "-sl abc", "2 'abc' '1'"},
      {true, "-SL 2 -noext", "2 '2' '1'"},   // only "-SR" keeps the extension
      {true, "-SR 3 x", "2 '3' '2' smart"},  // any word keeps the extension
      {true, "-SR 3 \"\"", "2 '3' '2'"},
      {false, "-SR 2 -noext", "2 '2' '2'"},  // directories have no extension
      {true, "-R ~ _", "3 ' ' '_'"},
      {true, "-R \"a b\" a~~", "3 'a b' 'a  '"},
      {true, "-R a b -case", "3 'a' 'b' case"},
      {false, "-R a b -CASE", "3 'a' 'b' case"},
      {true, "-R a b -cases", "3 'a' 'b'"},  // any other third word is ignored, as before
      {true, "-rx ^img_(\\d+) Photo~$1", "3 '^img_(\\d+)' 'Photo $1' regex"},
      {false, "-RX a~b x -Case", "3 'a b' 'x' regex case"},
      {true, "-RXX a b", "rejected"},
      {true, "-C Silly", "4 '3' ''"},  // the first letter decides
      {false, "-c ultra", "4 '1' ''"},
      {true, "-C title", "rejected"},
      {true, "-C \"\"", "rejected"},
      {false, "-C élan", "rejected"},
      {true, "-CE lower", "4 '2' '' ext"},  // the extension alone, its word read as -C reads it
      {false, "-ce Up", "4 '1' '' ext"},
      {true, "-CE title", "rejected"},
      {true, "-CEX lower", "rejected"},
      {true, "-L $NAME", "6 '$NAME    ' ''"},  // words up to the ninth, blanks between
      {true, "-L a b c d e f g", "6 'a b c d e' ''"},
      {false, "-L a b c d e f g", "6 'a b c d e f' ''"},
      {true, "-NA", "7 '1' '' asc"},
      {true, "-NA -L 3 -S 5 extra", "7 '1' '' asc sort[-L|3|-S|5]"},
      {true, "-NA  -L", "7 '1' '' asc"},  // an empty word first: no options to read
      {false, "-nd -S 2", "7 '2' '' desc sort[-S|2||]"},
      {true, "-X 3", "rejected"},
      {true, "-SLX 3", "rejected"},
  };
  for (const Case& c : cases) {
    const std::string text =
        c.files ? std::string("/tmp/x -F *.* ") + c.words : std::string("/tmp/x -D ") + c.words;
    const BatchTarget target = c.files ? BatchTarget::Files : BatchTarget::Directories;
    EXPECT_EQ(Summary(ParseModeSwitch(target, SplitCommandArgs(text))), c.summary) << text;
  }
}

// Each word's place as one letter: f folder, t target, m mask, s switch, T text, v value, -
// ignored.
std::string Places(const std::string& text) {
  std::string letters;
  for (const WordPlace place : WordPlaces(SplitArgumentText(text))) {
    letters += "ftmsTv-"[static_cast<int>(place)];
  }
  return letters;
}

TEST(WordPlacesTest, TheGrammarsUseOfEachWordByItsPlace) {
  const std::pair<const char*, const char*> cases[] = {
      {"/p", "f"},
      {"/p -F *.* -C upper x", "ftmsv-"},
      {"/p -d -C upper x", "ftsv-"},
      {"/p -F *.* -SL 2 x", "ftmsv-"},
      {"/p -F *.* -SR 2 -noext x", "ftmsvv-"},  // any word there keeps the extension
      {"/p -D -SR 2 -noext x", "ftsv--"},       // directories have none
      {"/p -F *.* -R a b c", "ftmsTT-"},
      {"/p -D -RX a b -case c",
       "ftsTT--"},  // "-case", like any word after the two, may be a dry run
      {"/p -F *.* -L a b c d e f", "ftmsvvvvv-"},  // the template, up to word 9
      {"/p -D -L a b c d e f g", "ftsvvvvvv-"},
      {"/p -F *.* -NA -L 3 -S 5 x", "ftmsvvvv-"},
      {"/p -F *.* -NA  -L", "ftmsv-"},     // an empty word first: the rest is not read
      {"/p -F *.* -Q a b", "ftms--"},      // a switch that is none reads nothing
      {"/p -X *.* -C upper x", "ftmsv-"},  // a wrong target: the file branch
      {"/p  -F *.* -C", "ftms-"},          // an empty word 2: the file branch, "-F" its mask
      {"/p -F *.* -C upper a b c d e f g h i j k l m n o", "ftmsv---------------"},
  };
  for (const auto& [text, places] : cases) EXPECT_EQ(Places(text), places) << text;
  CommandWords many = SplitArgumentText("/p -F *.* -L a b c d e f g h i j k l m n o p q r");
  EXPECT_EQ(WordPlaces(many).size(), many.size());
}

TEST(CommandLineFaultTest, OneLineSaysWhatIsWrong) {
  const std::pair<const char*, const char*> cases[] = {
      {"/p -F *.* -C upper", ""},
      {"/p -D -NA -L 3", ""},
      {"/p", "missing switch after the folder: -D, or -F <filemask>"},
      {"/p -Q 3", "unknown switch '-Q'"},
      {"/p -F *.*", "missing switch after the file mask"},
      {"/p -d", "missing switch after -D"},
      {"/p -F *.* -x 3", "unknown switch '-x'"},
      {"/p -D -c", "missing word after -c: upper, lower or sentence"},
      {"/p -F *.* -CE title", "-CE takes upper, lower or sentence, not 'title'"},
      {"/p -F *.* -NA -L 3 -S", "-NA takes [-L [<length>] ] [-S <x> ], not '-L 3 -S'"},
      {"/p -F *.* -ND -S", "-ND takes [-L [<length>] ] [-S <x> ], not '-S'"},
      {"/p -F *.* -NA -X", ""},  // the numbering parser says "Wrong Commands!" itself
  };
  for (const auto& [text, fault] : cases) {
    EXPECT_EQ(CommandLineFault(SplitCommandArgs(text)), fault) << text;
  }
}

}  // namespace
}  // namespace kestro
