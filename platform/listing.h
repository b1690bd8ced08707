// What every list shows: the entries a mask selects, hidden ones left out, in case-insensitive
// natural order ("img2" < "img10"), ties by plain byte order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace kestro {

// `*` any run, `?` one code point, without regard to case; "*.*" matches every name, with or
// without a dot; several masks may be given separated by ";". Blanks around each mask are
// ignored; an empty mask matches every name.
[[nodiscard]] bool MatchesMask(std::string_view name, std::string_view masks);

// Case-insensitive natural order: runs of the digits 0-9 compare by their value, however long
// ("img2" < "img10", "a007" and "a7" are equal at that point); everything else compares code point
// by code point without regard to case; names equal so far are ordered by their bytes.
[[nodiscard]] bool NaturalLess(std::string_view a, std::string_view b);

// `text` in the form names are compared in without regard to case: each code point mapped to
// upper case, then to lower case, so "STRASSE", "strasse" and "ſtrasse" all agree.
[[nodiscard]] std::string FoldCase(std::string_view text);

// The entries of `kind` in `folder` that `mask` selects (pass "" for all), in natural order.
Status ListEntries(FileSystem& fs, const std::string& folder, EntryKind kind, std::string_view mask,
                   std::vector<std::string>* names);

// What a window shows of one folder: its sub-directories and the files a mask selects.
struct FolderListing {
  std::vector<std::string> directories;
  std::vector<std::string> files;
};
// Both from one reading of `folder`, each as ListEntries gives it (`file_mask` for the files).
Status ListFolder(FileSystem& fs, const std::string& folder, std::string_view file_mask,
                  FolderListing* listing);

}  // namespace kestro
