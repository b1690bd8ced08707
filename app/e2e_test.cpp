// Runs the built kestro as a user would: headless (no DISPLAY, no WAYLAND_DISPLAY, no Qt platform
// named), with a configuration folder and a home of its own, on temporary folders. What the
// switches do is tested below the program; here, what only a real process shows: the exit status,
// standard output and error, the settings file, and how arguments reach the program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/help_texts.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

std::string ReadAll(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Every name in `folder` in byte order, with the name the entry had where it changed: "new<old";
// a directory's ends in "/". Each entry holds its first name (a directory in its file "tag").
std::string Listing(const fs::path& folder) {
  Words names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const std::string first = ReadAll(entry.is_directory() ? entry.path() / "tag" : entry.path());
    names.push_back(name + (first == name ? "" : "<" + first) + (entry.is_directory() ? "/" : ""));
  }
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

std::string Today(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// `text` as one word for the shell.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs kestro with `arguments` in `cwd`, headless, with `home` as its home and configuration;
// one that has not ended after 30 seconds is stopped (status 124): the command line never waits.
Outcome RunKestro(const Words& arguments, const fs::path& cwd, const fs::path& home) {
  std::string command = "cd " + Quoted(cwd) + " && env -u DISPLAY -u WAYLAND_DISPLAY -u " +
                        "QT_QPA_PLATFORM HOME=" + Quoted(home) +
                        " XDG_CONFIG_HOME=" + Quoted(home / "config") + " timeout 30 " +
                        Quoted(KESTRO_BINARY);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  command += " </dev/null >" + Quoted(home / "out") + " 2>" + Quoted(home / "err");
  const int status = std::system(command.c_str());
  return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(home / "out"),
                 ReadAll(home / "err")};
}

// One run in a fresh folder "My Photos" (a blank in its path) of the home folder, started there.
// In the words, "{dir}" stands for the folder's absolute path; a directory's name ends in "/".
struct Case {
  Words arguments;
  Words before;
  int status;
  bool help;          // the help on standard output, else nothing there
  std::string err;    // standard error
  bool remembered;    // LastDir holds the folder afterwards
  std::string after;  // the listing afterwards; "" when nothing changed
};

TEST(KestroTest, ARunOnItsFolderWithItsOutputAndSettings) {
  const std::string date3 = Today("%m%d");
  Words many = {"{dir}", "-F", "*.doc", "-L", "$NAME"};
  for (int word = 6; word <= 30; ++word) many.push_back("w" + std::to_string(word));
  const std::string erraneous = "kestro: You have entered erraneous values!\n";
  const std::string taken =
      "kestro: cannot rename 'a.doc' to 'A.DOC': a file of that name exists\n";
  // clang-format off
  const Case cases[] = {
      {{"{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "b.DOC", "c.txt", ".h.doc"},
       0, false, "", true, ".h.doc A.DOC<a.doc B.DOC<b.DOC c.txt"},
      {{"{dir}", "-d", "-SL", "2"}, {"abc/", "xyz1/", ".h/", "file"},
       0, false, "", true, ".h/ c<abc/ file z1<xyz1/"},
      {{"{dir}", "-F", "*.jpg;*.png", "-L", "$DATE3 $NAME"}, {"a.jpg", "b.png"},
       0, false, "", true, date3 + " a.jpg<a.jpg " + date3 + " b.png<b.png"},
      {{"{dir}", "-F", "*", "-R", "o\"l\"d~", "n\"ew\"_"}, {"old name.txt"},
       0, false, "", true, "new_name.txt<old name.txt"},
      {many, {"a.doc"}, 0, false, "", true, "a.doc w6 w7 w8 w9<a.doc"},  // past the 20th: dropped
      {{"{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "A.DOC", "b.doc"},
       1, false, taken, true, "A.DOC B.DOC<b.doc a.doc"},
      {{"{dir}", "-F", "*", "-NA", "-L", "12"}, {"a", "b"},
       1, false, erraneous + erraneous, true, ""},
      {{"{dir}", "-F", "*", "-NA", "-X"}, {"a"}, 2, true, "kestro: Wrong Commands!\n", true, ""},
      {{"{dir}", "", "-F", "*.doc", "-C", "upper"}, {"a.doc"}, 2, true, "", true, ""},
      {{"/?"}, {"a.doc", "dir/"}, 2, true, "", false, ""},
      {{""}, {"a.doc"}, 2, true, "", false, ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& word : c.arguments) line += " '" + word + "'";
    SCOPED_TRACE(line);
    char pattern[] = "/tmp/kestro-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path home = pattern;
    const fs::path folder = home / "My Photos";
    fs::create_directories(folder);
    for (const std::string& name : c.before) {
      if (name.back() == '/') {
        fs::create_directory(folder / name.substr(0, name.size() - 1));
        std::ofstream(folder / name.substr(0, name.size() - 1) / "tag")
            << name.substr(0, name.size() - 1);
      } else {
        std::ofstream(folder / name) << name;
      }
    }
    const std::string listing_before = Listing(folder);
    Words arguments = c.arguments;
    for (std::string& word : arguments) {
      if (word == "{dir}") word = folder.string();
    }
    const Outcome outcome = RunKestro(arguments, folder, home);

    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.help ? HelpTextForTerminal() : "");
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(Listing(folder), c.after.empty() ? listing_before : c.after);
    const std::string conf = ReadAll(home / "config" / "Vintrellos" / "Kestrovane.conf");
    EXPECT_EQ(conf.find("LastDir=" + folder.string() + "\n") != std::string::npos, c.remembered)
        << conf;
    EXPECT_EQ(conf.find("Splash"), std::string::npos) << "the splash setting is left alone";
    std::error_code ignored;
    fs::remove_all(home, ignored);
  }
}

}  // namespace
}  // namespace kestro
