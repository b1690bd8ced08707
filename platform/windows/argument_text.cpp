#include "platform/argument_text.h"

#include <windows.h>

#include "platform/windows/command_line_text.h"
#include "platform/windows/wide_text.h"

namespace kestro {

CommandWords ArgumentWords(int /*argc*/, char** /*argv*/) {
  const wchar_t* command_line = GetCommandLineW();
  if (command_line == nullptr) return {};
  return SplitArgumentText(Utf8FromWide(ArgumentsOfCommandLine(command_line)));
}

}  // namespace kestro
