// StartWindowProgram: execv of kestro-window in the folder of this program's file.
#include "platform/window_program.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/errno_status.h"

namespace kestro {

Status StartWindowProgram(int argc, char** argv) {
  std::string self(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= self.size()) {
    return StatusFromErrno(errno, "cannot find the program's own file");
  }
  self.resize(static_cast<std::size_t>(length));
  const std::string program = self.substr(0, self.rfind('/') + 1) + "kestro-window";
  std::vector<char*> arguments(argv, argv + argc);
  if (arguments.empty()) arguments.push_back(nullptr);
  arguments[0] = const_cast<char*>(program.c_str());
  arguments.push_back(nullptr);
  execv(program.c_str(), arguments.data());
  return StatusFromErrno(errno, "cannot start '" + program + "'");
}

}  // namespace kestro
