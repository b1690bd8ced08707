// StartWindowProgram: execv of kestro-window, in the install's private folder or beside kestro.
#include "platform/window_program.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/errno_status.h"

#ifndef KESTRO_WINDOW_DIR_FROM_BIN
#define KESTRO_WINDOW_DIR_FROM_BIN "../libexec/kestrovane"
#endif

namespace kestro {
namespace {

// The install's private folder first, then beside kestro (a build folder, or an older install
// that kept both in bin).
std::vector<std::string> WindowProgramCandidates(const std::string& own_file) {
  const std::string folder = own_file.substr(0, own_file.rfind('/') + 1);
  return {folder + KESTRO_WINDOW_DIR_FROM_BIN "/kestro-window", folder + "kestro-window"};
}

}  // namespace

Status StartWindowProgram(int argc, char** argv) {
  std::string self(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= self.size()) {
    return StatusFromErrno(errno, "cannot find the program's own file");
  }
  self.resize(static_cast<std::size_t>(length));
  std::vector<char*> arguments(argv, argv + argc);
  if (arguments.empty()) arguments.push_back(nullptr);
  arguments.push_back(nullptr);
  int error = ENOENT;
  std::string tried;
  for (const std::string& program : WindowProgramCandidates(self)) {
    arguments[0] = const_cast<char*>(program.c_str());
    execv(program.c_str(), arguments.data());
    // A candidate that is missing lets the next one try (the first names the failure); any other
    // failure is the answer.
    if (tried.empty() || errno != ENOENT) {
      error = errno;
      tried = program;
    }
    if (errno != ENOENT) break;
  }
  return StatusFromErrno(error, "cannot start '" + tried + "'");
}

}  // namespace kestro
