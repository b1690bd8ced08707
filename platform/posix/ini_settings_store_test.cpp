#include "platform/posix/ini_settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include "platform/fuzz_test_support.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

namespace stdfs = std::filesystem;

constexpr char kApp[] = "Vintrellos";
constexpr char kSection[] = "Kestrovane";

// A config folder of its own, removed at the end, and the settings file's path in it.
struct ConfigFolder : TempTree {
  const std::string root = NewFolder();
  const std::string folder = root + "/" + kApp;
  const std::string file = folder + "/" + kSection + ".conf";
  ConfigFolder() { AddDirectory(root, kApp); }
};

constexpr char kOtherLines[] = "[General]\nTheme=dark\n\n[Kestrovane]\nSplash=1\nText6=3\n";

TEST(IniSettingsStoreTest, AFileThatCannotBeReadIsKeptAsItIsAndSaidOnce) {
  ConfigFolder config;
  config.AddFile(config.folder, "Kestrovane.conf", kOtherLines);
  ASSERT_EQ(chmod(config.file.c_str(), 0200), 0);
  // Root reads any file: the store is tried by a user the mode shuts out.
  const uid_t nobody = 65534;
  if (geteuid() == 0) {
    stdfs::permissions(config.root, stdfs::perms::all);
    ASSERT_EQ(chown(config.root.c_str(), nobody, nobody), 0);
    ASSERT_EQ(chown(config.folder.c_str(), nobody, nobody), 0);
    ASSERT_EQ(chown(config.file.c_str(), nobody, nobody), 0);
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(3);
    IniSettingsStore store(config.root);
    const bool fallback = store.Get(kApp, kSection, "Splash", "none") == "none";
    store.Set(kApp, kSection, "LastDir", "/home/u");
    store.Set(kApp, kSection, "Page", "Files");
    const std::string why = "cannot read '" + config.file + "': Permission denied";
    _exit(fallback && store.KeepStatus().message() == why ? 0 : 4);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(stdfs::status(config.file).permissions(), stdfs::perms::owner_write);
  ASSERT_EQ(chmod(config.file.c_str(), 0600), 0);
  EXPECT_EQ(config.Content(config.folder, "Kestrovane.conf"), kOtherLines);
}

TEST(IniSettingsStoreTest, ALinkIsWrittenThroughAndTheFileKeepsItsMode) {
  ConfigFolder config;
  const std::string target = config.root + "/dotfiles-Kestrovane.conf";
  config.AddFile(config.root, "dotfiles-Kestrovane.conf", kOtherLines);
  ASSERT_EQ(chmod(target.c_str(), 0604), 0);
  ASSERT_EQ(symlink("../dotfiles-Kestrovane.conf", config.file.c_str()), 0);

  IniSettingsStore store(config.root);
  store.Set(kApp, kSection, "LastDir", "/home/u");
  EXPECT_TRUE(store.KeepStatus().ok()) << store.KeepStatus().message();
  EXPECT_TRUE(stdfs::is_symlink(config.file));
  EXPECT_EQ(config.Content(config.root, "dotfiles-Kestrovane.conf"),
            "[General]\nTheme=dark\n\n[Kestrovane]\nSplash=1\nText6=3\nLastDir=/home/u\n");
  EXPECT_EQ(stdfs::status(target).permissions(),
            stdfs::perms(0604));  // a mode no usual umask gives a new file
}

TEST(IniSettingsStoreTest, APipeInPlaceOfTheFileIsRefusedWithoutWaiting) {
  ConfigFolder config;
  ASSERT_EQ(mkfifo(config.file.c_str(), 0600), 0);
  IniSettingsStore store(config.root);
  auto done = std::async(std::launch::async, [&store] {
    const std::string value = store.Get(kApp, kSection, "LastDir", "none");
    store.Set(kApp, kSection, "LastDir", "/home/u");
    return value;
  });
  if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "the store waits on the pipe";
    // A writer that comes and goes lets each waiting reader go on.
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
      const int fd = open(config.file.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) close(fd);
    }
  }
  EXPECT_EQ(done.get(), "none");
  EXPECT_EQ(store.KeepStatus().message(), "'" + config.file + "' is not a regular file");
  EXPECT_TRUE(stdfs::is_fifo(stdfs::symlink_status(config.file)));
}

TEST(IniSettingsStoreTest, EveryByteComesBackAsItWasWritten) {
  std::string every;
  for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
  EXPECT_EQ(IniUnescaped(IniEscaped(every)), every);
  // After an escape, a hex digit of either case must not be read as part of it.
  for (int c = 0; c < 256; ++c) {
    for (const char next : std::string("0123456789ABCDEFabcdefgG")) {
      const std::string value = {static_cast<char>(c), next};
      ASSERT_EQ(IniUnescaped(IniEscaped(value)), value) << c << " " << next;
    }
  }
  // As QSettings writes them: either case of the hex digits, and the NUL.
  EXPECT_EQ(IniUnescaped("\\x1F\\x1f\\xAb\\0x"), std::string("\x1f\x1f\xab\0x", 5));
}

TEST(IniSettingsStoreTest, MutatedFilesNeitherCrashNorLoseWhatIsSet) {
  ConfigFolder config;
  IniSettingsStore store(config.root);
  const std::vector<std::string> seeds = {
      kOtherLines,
      "[Kestrovane]\r\nLastDir=\"/home/u/a;b\"\r\nWindowSize=800x600\r\nText4=\"@@x\\x1f\\0\"\r\n",
      "[%General]\nx=\"unterminated\n[Kestrovane]\n LastDir = \\x\n",
  };
  testing::ForEachMutatedInput(
      seeds, {.count = 600, .time = std::chrono::milliseconds(1000)}, [&](const std::string& text) {
        (void)IniUnescaped(text);
        config.AddFile(config.folder, "Kestrovane.conf", text);
        const std::string splash = store.Get(kApp, kSection, "Splash", "none");
        store.Set(kApp, kSection, "LastDir", "/home/u/é;=\"\\\n");
        ASSERT_EQ(store.Get(kApp, kSection, "LastDir", "none"), "/home/u/é;=\"\\\n") << text;
        ASSERT_EQ(store.Get(kApp, kSection, "Splash", "none"), splash) << text;
      });
  EXPECT_TRUE(store.KeepStatus().ok());
}

}  // namespace
}  // namespace kestro
