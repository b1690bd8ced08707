#include "platform/windows/windows_name_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

TEST(WindowsNameRulesTest, ReservedDeviceNamesAreRefusedInAnyCaseAndWithAnExtension) {
  for (const char* name :
       {"CON", "con", "Prn", "AUX", "nul", "COM1", "com9", "LPT1", "lpt9", "NUL.txt", "con.tar.gz",
        "CON .txt", "aux  ", "COM\xC2\xB9", "lpt\xC2\xB3.log", "com\xC2\xB2"}) {
    const Status status = CheckWindowsName(name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << name;
    EXPECT_EQ(status.message(), "the new name '" + std::string(name) + "' " + kWindowsNameReserved)
        << name;
  }
}

TEST(WindowsNameRulesTest, NamesThatMerelyStartLikeADeviceAreAccepted) {
  for (const char* name :
       {"CONSOLE", "con1", "COM", "COM10", "LPT", "nul-list.txt", "AUX_", "x.con", "Prn Notes",
        ".nul", "COM\xC2\xB4", "lpt\xC2\xB9x", "Conférence"}) {
    EXPECT_TRUE(CheckWindowsName(name).ok()) << name;
  }
}

TEST(WindowsNameRulesTest, EveryCharacterWindowsCannotHoldIsNamed) {
  for (const char c : std::string("<>:\"/\\|?*")) {
    const std::string name = std::string("a") + c + "b";
    const Status status = CheckWindowsName(name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << name;
    EXPECT_EQ(status.message(),
              std::string("the new name holds '") + c + "', which Windows file names cannot hold");
  }
}

TEST(WindowsNameRulesTest, ControlCharactersAreRefused) {
  for (int c = 1; c < 0x20; ++c) {
    const std::string name = std::string("a") + static_cast<char>(c) + "b";
    const Status status = CheckWindowsName(name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << c;
    EXPECT_EQ(status.message(), kWindowsNameControl) << c;
  }
  EXPECT_TRUE(CheckWindowsName("a\x7F"
                               "b")
                  .ok());  // DEL is a character like any other here
}

TEST(WindowsNameRulesTest, ANameEndingInADotOrABlankIsRefused) {
  struct Case {
    const char* name;
    const char* reason;
  };
  for (const Case& c :
       {Case{"name.", kWindowsNameEndsInDot}, Case{"a.b.", kWindowsNameEndsInDot},
        Case{"..x..", kWindowsNameEndsInDot}, Case{"name ", kWindowsNameEndsInBlank},
        Case{"a. ", kWindowsNameEndsInBlank}}) {
    const Status status = CheckWindowsName(c.name);
    EXPECT_EQ(status.code(), Status::Code::kInvalidName) << c.name;
    EXPECT_EQ(status.message(), c.reason) << c.name;
  }
}

TEST(WindowsNameRulesTest, OrdinaryNamesPass) {
  for (const char* name : {"a", ".gitignore", "..x", "name.txt", " leading blank", "(1204) a b.doc",
                           "Ünïcödé ✓.txt", "semi;colon", "percent%20", "#hash", "[1]", "a.b.c"}) {
    EXPECT_TRUE(CheckWindowsName(name).ok()) << name;
  }
}

}  // namespace
}  // namespace kestro
