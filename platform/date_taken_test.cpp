#include "platform/date_taken.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fuzz_test_support.h"
#include "platform/test_photos.h"
#include "platform/test_tree.h"

namespace kestro {
namespace {

using namespace std::literals;

Status Read(const std::string& bytes, DateTime* when) {
  return ReadDateTaken(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), when);
}

TEST(DateTakenTest, ExifDateTextsAreReadStrictly) {
  const struct {
    std::string_view text;
    bool ok;
  } rows[] = {
      {"2024:05:01 09:08:07", true},   {"2024:05:01 09:08:07\0"sv, true},
      {"2024:05:01 09:08:07  ", true}, {"0000:00:00 00:00:00", false},
      {"    :  :     :  :  ", false},  {"2024:13:01 09:08:07", false},
      {"2024:05:01 24:00:00", false},  {"2024-05-01 09:08:07", false},
      {"2024:05:01 09:08", false},     {"2024:05:01 09:08:079", false},
      {"2024:05:01 09:0/:07", false},
  };
  for (const auto& row : rows) {
    DateTime when;
    EXPECT_EQ(ParseExifDateTime(row.text, &when), row.ok) << row.text;
  }
}

// Every format the tools can write is read, when they are installed; a hostile block, a loop of
// offsets or a 4 GB length costs only its own entry; truncated and bit-flipped copies neither
// crash nor hang, and each says why it gives no date.
TEST(DateTakenTest, RealImagesAreReadAndDamagedOnesOnlySayWhy) {
  std::vector<std::string> seeds = {testing::JpegTakenAt("2024:05:01 09:08:07")};
  TempTree temp;
  const auto folder = TestPath(temp.NewFolder());
  for (const char* name : {"a.jpg", "a.png", "a.tif", "a.webp"}) {
    if (!testing::MakePhotoWithTools(folder / name, "2023:02:03 04:05:06")) continue;
    std::ostringstream bytes;
    bytes << std::ifstream(folder / name, std::ios::binary).rdbuf();
    DateTime when;
    const Status read = Read(bytes.str(), &when);
    EXPECT_TRUE(read.ok()) << name << ": " << read.message();
    EXPECT_EQ(when, (DateTime{{2023, 2, 3}, 4, 5, 6})) << name;
    seeds.push_back(bytes.str());
  }

  std::string huge = seeds[0];
  huge.replace(huge.find("\x03\x90\x02\x00"), 8,
               std::string("\x03\x90\x02\x00\xff\xff\xff\xff", 8));
  std::string loop = seeds[0];
  loop.replace(loop.find("\x69\x87\x04\x00"), 12,
               std::string("\x69\x87\x04\x00\x01\0\0\0\x08\0\0\0", 12));
  for (const std::string& hostile : {huge, loop, std::string("not an image at all")}) {
    DateTime when;
    EXPECT_EQ(Read(hostile, &when).message().rfind(kNoDateTaken, 0), 0u);
  }
  testing::ForEachMutatedInput(
      seeds, {.count = 3000, .time = std::chrono::seconds(20)}, [](const std::string& bytes) {
        DateTime when;
        const Status read = Read(bytes, &when);
        EXPECT_TRUE(read.ok() || read.message().rfind(kNoDateTaken, 0) == 0) << read.message();
      });
}

}  // namespace
}  // namespace kestro
