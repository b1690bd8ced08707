// Photos for tests, made here rather than downloaded: a small JPEG whose Exif block is written
// byte by byte (not with the library the program reads it with), and, where ImageMagick and the
// exiv2 tool are installed, a real image made and dated by them.
//
//   std::string photo = JpegTakenAt("2024:05:01 10:20:30");        // DateTimeOriginal
//   std::string scan = JpegTakenAt("", "2019:01:02 03:04:05");      // DateTimeDigitized only
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kestro::testing {

// A JPEG (start, one Exif segment, end) whose Exif IFD holds DateTimeOriginal `original` and
// DateTimeDigitized `digitized`; an empty text leaves its tag out. `padding` bytes of other
// segments come before the Exif one, so its metadata can lie far from the start.
inline std::string JpegTakenAt(const std::string& original, const std::string& digitized = "",
                               std::size_t padding = 0) {
  const auto u16 = [](std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
  };
  const auto u32 = [&](std::string& out, std::uint32_t v) {
    u16(out, v & 0xffff);
    u16(out, v >> 16);
  };
  std::vector<std::pair<unsigned, std::string>> tags;  // by tag number, as an IFD must be
  if (!original.empty()) tags.emplace_back(0x9003, original);
  if (!digitized.empty()) tags.emplace_back(0x9004, digitized);
  // Little-endian TIFF header; IFD0 holds one entry, the Exif IFD's offset (26), and no next IFD.
  std::string tiff("II*\0\x08\0\0\0\x01\0\x69\x87\x04\0\x01\0\0\0\x1a\0\0\0\0\0\0\0", 26);
  const std::uint32_t data_at = 26 + 2 + 12 * static_cast<std::uint32_t>(tags.size()) + 4;
  std::string data;
  u16(tiff, static_cast<unsigned>(tags.size()));
  for (const auto& [tag, text] : tags) {
    u16(tiff, tag);
    u16(tiff, 2);  // ASCII, NUL included
    u32(tiff, static_cast<std::uint32_t>(text.size() + 1));
    u32(tiff, data_at + static_cast<std::uint32_t>(data.size()));
    data += text;
    data += '\0';
  }
  u32(tiff, 0);
  tiff += data;
  const auto segment = [](char marker, const std::string& body) {
    const std::size_t length = body.size() + 2;
    return std::string{'\xff', marker, static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xff)} +
           body;
  };
  std::string jpeg = "\xff\xd8";
  for (std::size_t padded = 0; padded < padding; padded += 60000) {
    jpeg += segment('\xe2', std::string(60000, 'p'));
  }
  return jpeg + segment('\xe1', std::string("Exif\0\0", 6) + tiff) + "\xff\xd9";
}

// Makes `path` a 16x16 image with ImageMagick (its format by the extension) and, unless `taken` is
// empty, sets its Exif DateTimeOriginal with the exiv2 tool. False when either is missing or fails.
inline bool MakePhotoWithTools(const std::filesystem::path& path, const std::string& taken) {
  std::string command = "convert -size 16x16 xc:#3a7 '" + path.string() + "' 2>/dev/null";
  if (!taken.empty()) {
    command += " && exiv2 -M\"set Exif.Photo.DateTimeOriginal " + taken + "\" '" + path.string() +
               "' 2>/dev/null";
  }
  return std::system(command.c_str()) == 0;
}

}  // namespace kestro::testing
