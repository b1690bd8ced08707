// The date a photo was taken, read from its own metadata (Exif DateTimeOriginal, else the date it
// was digitized) with libexiv2, for every format the library reads. Only the metadata is read;
// the image is never decoded. Each file system hands the file's bytes in as a view it opened once
// (a memory map, or its contents in memory), so the reader itself touches no disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/entry_dates.h"
#include "platform/status.h"

namespace kestro {

// Files larger than this are read only up to it: metadata stands near the start of every format
// a camera writes, and the library takes sizes that fit a 32-bit long.
inline constexpr std::uint64_t kDateTakenReadLimit = std::uint64_t{1} << 30;

// The reason an entry without a date taken keeps its name.
inline constexpr char kNoDateTaken[] = "it holds no date taken";

// Reads the date taken from the `size` bytes at `data`. A file that holds none, is no image, or is
// damaged or hostile (truncated, offsets past the end or in a loop, absurd lengths) fails with
// kNotFound and a reason that starts with kNoDateTaken; nothing is thrown, whatever the bytes.
// Safe to call from several threads (calls into the library are taken one at a time).
[[nodiscard]] Status ReadDateTaken(const unsigned char* data, std::size_t size, DateTime* when);

// "YYYY:MM:DD HH:MM:SS" as Exif writes it, into `when`; false for any other text, an unset date
// ("0000:00:00 00:00:00", blanks) or a field out of its range.
[[nodiscard]] bool ParseExifDateTime(std::string_view text, DateTime* when);

}  // namespace kestro
