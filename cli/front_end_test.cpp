// The choice between windows and text, for every call and surroundings that tell them apart.
#include "cli/front_end.h"

#include <gtest/gtest.h>

#include "engine/command_args.h"

namespace kestro {
namespace {

TEST(FrontEndTest, WindowsForTheMainWindowAndForACallerThatAskedForNoText) {
  struct Case {
    const char* text;  // the words, split by the quote rule
    CallSurroundings around;
    bool windows;
  };
  // clang-format off
  const Case cases[] = {
      {"", {true, false, false}, true},      // the main window, from Explorer or a desktop
      {"", {true, false, true}, true},       // ... also from a console: the window is asked for
      {"", {false, true, false}, true},      // ... on the toolkit's own platform
      {"", {false, false, true}, false},     // no display: the program says so in text
      {"--window /p", {true, false, true}, true},    // the main window on a folder
      {"--window /p", {false, true, false}, true},
      {"--window /p", {false, false, false}, false},
      {"C:\\P -D -SL 1", {true, false, false}, true},    // a shortcut's command line
      {"C:\\P -D -SL 1", {true, false, true}, false},    // from a console, a script, a test
      {"C:\\P -D -SL 1", {false, true, false}, false},   // an offscreen platform shows no boxes
      {"--undo", {false, false, false}, false},
      {"/?", {true, true, false}, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(WindowsWanted(SplitArgumentText(c.text), c.around), c.windows)
        << "'" << c.text << "' display " << c.around.display << " platform "
        << c.around.window_platform << " text " << c.around.text_asked;
  }
}

}  // namespace
}  // namespace kestro
