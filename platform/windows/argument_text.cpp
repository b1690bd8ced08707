#include "platform/argument_text.h"

#include <windows.h>

#include "platform/windows/command_line_text.h"
#include "platform/windows/wide_text.h"

namespace kestro {

// On Windows the raw command-line text is used as it is; the C runtime's argv, which has already
// taken quotes away, is not looked at.
std::string ArgumentText(int /*argc*/, char** /*argv*/) {
  const wchar_t* command_line = GetCommandLineW();
  if (command_line == nullptr) return std::string();
  return Utf8FromWide(ArgumentsOfCommandLine(command_line));
}

}  // namespace kestro
