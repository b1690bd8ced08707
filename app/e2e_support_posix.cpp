#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

#include "app/e2e_support.h"

extern char** environ;

namespace kestro::e2e {

const bool kRunsWithoutDisplay = true;
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

// Headless: no DISPLAY, no WAYLAND_DISPLAY, no Qt platform named; the home's folder as its home,
// configuration and state.
KestroRun::KestroRun(const Words& arguments, const fs::path& cwd, const ProgramHome& home) {
  std::vector<std::string> environment = {"HOME=" + home.folder().string(),
                                          "XDG_CONFIG_HOME=" + (home.folder() / "config").string(),
                                          "XDG_STATE_HOME=" + (home.folder() / "state").string()};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string_view name(*variable, std::string_view(*variable).find('='));
    if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
        name != "HOME" && !name.starts_with("XDG_")) {
      environment.emplace_back(*variable);
    }
  }
  std::vector<char*> envp, argv = {const_cast<char*>(KESTRO_BINARY)};
  for (std::string& variable : environment) envp.push_back(variable.data());
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  envp.push_back(nullptr);
  argv.push_back(nullptr);
  const std::string out = (home.folder() / "out").string(), err = (home.folder() / "err").string();
  const pid_t pid = fork();
  if (pid < 0) std::abort();
  if (pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out_file = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err_file = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (chdir(cwd.c_str()) != 0 || dup2(in, 0) < 0 || dup2(out_file, 1) < 0 ||
        dup2(err_file, 2) < 0) {
      _exit(127);
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  process_ = pid;
}

KestroRun::~KestroRun() { Kill(); }

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
