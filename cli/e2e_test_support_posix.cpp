#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "cli/e2e_test_support.h"

namespace kestro::e2e {

const bool kRunsWithoutDisplay = true;
const bool kWordsAsOneLine = false;
const char kLineEnd[] = "\n";
const int kFilesOfAKilledBatch = 20000;

struct ProgramHome::Saved {};

ProgramHome::ProgramHome() {
  char pattern[] = "/tmp/kestro-e2e-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  folder_ = pattern;
}

ProgramHome::~ProgramHome() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::optional<std::string> ProgramHome::Setting(const std::string& key) const {
  std::ifstream conf(folder_ / "config" / "Vintrellos" / "Kestrovane.conf");
  for (std::string line; std::getline(conf, line);) {
    if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
  }
  return std::nullopt;
}

bool ProgramHome::JournalWritten() const { return fs::exists(folder_ / "state"); }

void Hide(const fs::path&) {}

namespace {

// Headless: no DISPLAY, no WAYLAND_DISPLAY, no Qt platform named; the home's folder as its home,
// configuration and state.
pid_t Start(const std::vector<const char*>& argv, const fs::path& cwd, const ProgramHome& home,
            Output output) {
  int unread[2] = {-1, -1};
  if (output == Output::kClosedPipe) {
    if (pipe(unread) != 0) std::abort();
    close(unread[0]);
  }
  std::vector<char*> arguments;
  for (const char* argument : argv) arguments.push_back(const_cast<char*>(argument));
  arguments.push_back(nullptr);
  const fs::path& folder = home.folder();
  std::fflush(nullptr);  // nothing the test buffered is written again by the child
  const pid_t pid = fork();
  if (pid < 0) std::abort();
  if (pid == 0) {  // the test runs on one thread, so the child may still use the heap
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
    setenv("HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
    signal(SIGPIPE, SIG_DFL);  // as a shell starts a command, whatever the test program does
    const bool streams =
        unread[1] >= 0 ? dup2(unread[1], STDOUT_FILENO) >= 0 && dup2(unread[1], STDERR_FILENO) >= 0
                       : std::freopen((folder / "out").c_str(), "w", stdout) &&
                             std::freopen((folder / "err").c_str(), "w", stderr);
    if (std::freopen("/dev/null", "r", stdin) && streams && chdir(cwd.c_str()) == 0) {
      execv(arguments[0], arguments.data());
    }
    _exit(127);
  }
  if (unread[1] >= 0) close(unread[1]);
  return pid;
}

}  // namespace

KestroRun::KestroRun(const Words& arguments, const fs::path& cwd, const ProgramHome& home,
                     Output output) {
  std::vector<const char*> argv = {KESTRO_BINARY};
  for (const std::string& word : arguments) argv.push_back(word.c_str());
  process_ = Start(argv, cwd, home, output);
}

KestroRun::KestroRun(const TypedLine& line, const fs::path& cwd, const ProgramHome& home) {
  const std::string command = std::string("exec '") + KESTRO_BINARY + "' " + line.text;
  process_ = Start({"/bin/sh", "-c", command.c_str()}, cwd, home, Output::kFiles);
}

int KestroRun::Wait() {
  int status = 0;
  for (int waited = 0; process_ != 0 && waited < 3000; ++waited) {
    if (waitpid(static_cast<pid_t>(process_), &status, WNOHANG) != 0) {
      process_ = 0;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    usleep(10000);
  }
  Kill();
  return 124;
}

void KestroRun::Kill() {
  if (process_ == 0) return;
  kill(static_cast<pid_t>(process_), SIGKILL);
  waitpid(static_cast<pid_t>(process_), nullptr, 0);
  process_ = 0;
}

}  // namespace kestro::e2e
