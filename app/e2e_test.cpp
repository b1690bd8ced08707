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
  Words before;
  Words arguments;
  int status;
  std::string after;  // the listing afterwards; "" when nothing changed
  bool help;          // the help on standard output, else nothing there
  std::string err;    // standard error
  bool remembered;    // LastDir holds the folder afterwards
};

TEST(KestroTest, ARunOnItsFolderWithItsOutputAndSettings) {
  const std::string date3 = Today("%m%d");
  Words many = {"{dir}", "-F", "*.doc", "-L", "$NAME"};
  for (int word = 6; word <= 30; ++word) many.push_back("w" + std::to_string(word));
  const std::string erraneous = "kestro: You have entered erraneous values!\n";
  const Case cases[] = {
      {{"a.doc", "b.DOC", "c.txt", ".h.doc"},
       {"{dir}", "-F", "*.doc", "-C", "upper"},
       0,
       ".h.doc A.DOC<a.doc B.DOC<b.DOC c.txt",
       false,
       "",
       true},
      {{"abc/", "xyz1/", ".h/", "file"},
       {"{dir}", "-d", "-SL", "2"},
       0,
       ".h/ c<abc/ file z1<xyz1/",
       false,
       "",
       true},
      {{"report.doc", "photos.old/"},
       {"{dir}", "-F", "*", "-SR", "2", "-noext"},
       0,
       "photos.old/ repo.doc<report.doc",
       false,
       "",
       true},
      {{"report.doc", "photos.old/"},
       {"{dir}", "-D", "-SR", "2", "-noext"},
       0,
       "photos.o<photos.old/ report.doc",
       false,
       "",
       true},
      {{"my_file.txt", "my_dir/"},
       {"{dir}", "-D", "-R", "_", "~"},
       0,
       "my dir<my_dir/ my_file.txt",
       false,
       "",
       true},
      {{"a", "b", "c/"},
       {"{dir}", "-F", "*", "-ND", "-L", "2", "-S", "5"},
       0,
       "94 - b<b 95 - a<a c/",
       false,
       "",
       true},
      {{"a.jpg", "b.png"},
       {"{dir}", "-F", "*.jpg;*.png", "-L", "$DATE3 $NAME"},
       0,
       date3 + " a.jpg<a.jpg " + date3 + " b.png<b.png",
       false,
       "",
       true},
      {{"old name.txt"},
       {"{dir}", "-F", "*", "-R", "o\"l\"d~", "n\"ew\"_"},
       0,
       "new_name.txt<old name.txt",
       false,
       "",
       true},
      {{"a.doc"}, many, 0, "a.doc w6 w7 w8 w9<a.doc", false, "", true},  // words past the 20th
                                                                         // dropped
      {{"a.doc", "A.DOC", "b.doc"},
       {"{dir}", "-F", "*.doc", "-C", "upper"},
       1,
       "A.DOC B.DOC<b.doc a.doc",
       false,
       "kestro: cannot rename 'a.doc' to 'A.DOC': a file of that name exists\n",
       true},
      {{"a", "b"},
       {"{dir}", "-F", "*", "-NA", "-L", "12"},
       1,
       "",
       false,
       erraneous + erraneous,
       true},
      {{"a"}, {"{dir}", "-F", "*", "-NA", "-X"}, 2, "", true, "kestro: Wrong Commands!\n", true},
      {{"a.doc"}, {"{dir}", "", "-F", "*.doc", "-C", "upper"}, 2, "", true, "", true},
      {{"a.doc"}, {"{dir}"}, 2, "", true, "", true},
      {{"a.doc", "b.txt"},
       {"{dir}", "-X", "*.doc", "-C", "upper"},
       2,
       "A.DOC<a.doc b.txt",
       true,
       "",
       true},
      {{"a.doc"}, {"{dir}", "-D", "-Q"}, 2, "", true, "", true},
      {{"a.doc"}, {"."}, 2, "", true, "", true},  // relative to where it was started
      {{"a.doc", "dir/"}, {"/?"}, 2, "", true, "", false},
      {{"a.doc"}, {"--help"}, 2, "", true, "", false},
      {{"a.doc"}, {""}, 2, "", true, "", false},
      {{"a.doc"}, {"-D"}, 2, "", true, "", false},
  };
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
