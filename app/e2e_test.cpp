// Runs the built kestro as a user would: headless (no DISPLAY, no WAYLAND_DISPLAY, no Qt platform
// named), with a configuration folder and a home of its own, on temporary folders. What the
// switches do is tested below the program; here, what only a real process shows: the exit status,
// standard output and error, the settings file, and how arguments reach the program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
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

// The shell's words that start kestro with `arguments` headless, with `home` as its home, its
// configuration and its state; one that has not ended after 30 seconds is stopped (status 124):
// the command line never waits.
std::string Kestro(const Words& arguments, const fs::path& home, bool limited = true) {
  std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=" + Quoted(home) +
      " XDG_CONFIG_HOME=" + Quoted(home / "config") + " XDG_STATE_HOME=" + Quoted(home / "state") +
      (limited ? " timeout 30 " : " ") + Quoted(KESTRO_BINARY);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  return command + " </dev/null >" + Quoted(home / "out") + " 2>" + Quoted(home / "err");
}

// Runs kestro with `arguments` in `cwd` and waits for it.
Outcome RunKestro(const Words& arguments, const fs::path& cwd, const fs::path& home) {
  const std::string command = "cd " + Quoted(cwd) + " && " + Kestro(arguments, home);
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
  std::string out;    // standard output ("{help}": the help)
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
  const std::string help = "{help}";
  // clang-format off
  const Case cases[] = {
      {{"{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "b.DOC", "c.txt", ".h.doc"},
       0, "", "", true, ".h.doc A.DOC<a.doc B.DOC<b.DOC c.txt"},
      {{"{dir}", "-d", "-SL", "2"}, {"abc/", "xyz1/", ".h/", "file"},
       0, "", "", true, ".h/ c<abc/ file z1<xyz1/"},
      {{"{dir}", "-F", "*.jpg;*.png", "-L", "$DATE3 $NAME"}, {"a.jpg", "b.png"},
       0, "", "", true, date3 + " a.jpg<a.jpg " + date3 + " b.png<b.png"},
      {{"{dir}", "-F", "*", "-R", "o\"l\"d~", "n\"ew\"_"}, {"old name.txt"},
       0, "", "", true, "new_name.txt<old name.txt"},
      {many, {"a.doc"}, 0, "", "", true, "a.doc w6 w7 w8 w9<a.doc"},  // past the 20th: dropped
      {{"{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "A.DOC", "b.doc"},
       1, "", taken, true, "A.DOC B.DOC<b.doc a.doc"},
      {{"{dir}", "-F", "*", "-NA", "-L", "12"}, {"a", "b"}, 1, "", erraneous + erraneous, true, ""},
      {{"{dir}", "-F", "*", "-NA", "-X"}, {"a"}, 2, help, "kestro: Wrong Commands!\n", true, ""},
      {{"{dir}", "", "-F", "*.doc", "-C", "upper"}, {"a.doc"}, 2, help, "", true, ""},
      {{"/?"}, {"a.doc", "dir/"}, 2, help, "", false, ""},
      {{""}, {"a.doc"}, 2, help, "", false, ""},
      {{}, {"a.doc"}, 2, help, "kestro: no display to show the window on\n", false, ""},
      // A dry run says what the run would do, and changes nothing: no entry, no setting.
      {{"--dry-run", "{dir}", "-F", "*.doc", "-C", "upper"}, {"a.doc", "A.DOC", "b.doc"},
       1, "'b.doc' -> 'B.DOC'\n", taken, false, ""},
      {{"--dry-run", "{dir}"}, {"a.doc"}, 2, help, "", false, ""},
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
    EXPECT_EQ(outcome.out, c.out == "{help}" ? HeadlessHelp() : c.out);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(Listing(folder), c.after.empty() ? listing_before : c.after);
    const std::string conf = ReadAll(home / "config" / "Vintrellos" / "Kestrovane.conf");
    EXPECT_EQ(conf.find("LastDir=" + folder.string() + "\n") != std::string::npos, c.remembered)
        << conf;
    EXPECT_EQ(conf.find("Splash"), std::string::npos) << "the splash setting is left alone";
    EXPECT_TRUE(c.arguments.empty() || c.arguments[0] != "--dry-run" || !fs::exists(home / "state"))
        << "a journal";
    std::error_code ignored;
    fs::remove_all(home, ignored);
  }
}

// Batches are taken back newest first, also one killed half-way, and never onto a name taken
// meanwhile; a dry undo says what it would do.
TEST(KestroTest, UndoTakesBackTheBatchesNewestFirstAlsoOneKilledHalfWay) {
  char pattern[] = "/tmp/kestro-e2e-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path home = pattern;
  const fs::path many = home / "Many";
  fs::create_directories(many);
  constexpr int kFiles = 20000;
  for (int i = 0; i < kFiles; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%05d", i);
    std::ofstream(many / name) << name;
  }
  const std::string before = Listing(many);
  // Killed once it has renamed about a thousand: SIGKILL, so nothing of it runs after.
  std::system(("cd " + Quoted(many) + " && { " +
               Kestro({many, "-F", "*", "-R", "f", "g"}, home,
                      /*limited=*/false) +
               " & pid=$!; i=0; while [ ! -e g01000 ] && [ $i -lt 5000000 ]; do i=$((i+1)); done;"
               " kill -9 $pid; wait $pid; } 2>/dev/null")
                  .c_str());
  const std::string killed = Listing(many);
  const auto renamed = std::count(killed.begin(), killed.end(), 'g');  // one in "g...<f..." each
  ASSERT_GT(renamed, 0);
  EXPECT_LT(renamed, kFiles) << "the batch ended before it was killed";
  Outcome outcome = RunKestro({"--undo", "--dry-run"}, home, home);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), renamed);
  EXPECT_EQ(Listing(many), killed);
  outcome = RunKestro({"--undo"}, home, home);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Listing(many), before);

  const fs::path two = home / "Two";
  fs::create_directories(two);
  for (const char* name : {"a", "b"}) std::ofstream(two / name) << name;
  EXPECT_EQ(RunKestro({two, "-F", "*", "-C", "upper"}, home, home).status, 0);
  EXPECT_EQ(RunKestro({two, "-F", "*", "-R", "B", "Z"}, home, home).status, 0);
  EXPECT_EQ(RunKestro({"--undo"}, home, home).status, 0);
  EXPECT_EQ(Listing(two), "A<a B<b");
  std::ofstream(two / "a") << "newcomer";
  outcome = RunKestro({"--undo"}, home, home);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "kestro: cannot rename 'A' to 'a': a file of that name exists\n");
  EXPECT_EQ(Listing(two), "A<a a<newcomer b");
  outcome = RunKestro({"--undo"}, home, home);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "kestro: Nothing to undo.\n");
  std::error_code ignored;
  fs::remove_all(home, ignored);
}

}  // namespace
}  // namespace kestro
