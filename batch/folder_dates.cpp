#include "batch/folder_dates.h"

#include <utility>

namespace kestro {

FolderDates::FolderDates(const FileSystem& fs, std::string folder)
    : fs_(fs), folder_(std::move(folder)) {}

EntryDates FolderDates::Get(const std::string& name, DatesNeeded needed) {
  {
    std::lock_guard lock(mutex_);
    if (const auto it = kept_.find(name); it != kept_.end()) {
      const Kept& kept = it->second;
      if ((!needed.taken || kept.taken_read) && (!needed.modified || kept.modified_read)) {
        return kept.dates;
      }
      needed.taken = needed.taken && !kept.taken_read;
      needed.modified = needed.modified && !kept.modified_read;
    }
  }
  // Read outside the lock: a slow disk holds up no other thread's kept dates.
  const EntryDates read = ReadEntryDates(fs_, folder_, name, needed);
  std::lock_guard lock(mutex_);
  Kept& kept = kept_[name];
  if (needed.taken) {
    kept.dates.taken = read.taken;
    kept.dates.no_taken = read.no_taken;
    kept.taken_read = true;
  }
  if (needed.modified) {
    kept.dates.modified = read.modified;
    kept.dates.no_modified = read.no_modified;
    kept.modified_read = true;
  }
  return kept.dates;
}

EntryDates ReadEntryDates(const FileSystem& fs, const std::string& folder, const std::string& name,
                          DatesNeeded needed) {
  EntryDates dates;
  DateTime when;
  if (needed.taken) {
    if (const Status read = fs.DateTaken(folder, name, &when); read.ok()) {
      dates.taken = when;
    } else {
      dates.no_taken = read.message();
    }
  }
  if (needed.modified) {
    if (const Status read = fs.ModifiedTime(folder, name, &when); read.ok()) {
      dates.modified = when;
    } else {
      dates.no_modified = read.message();
    }
  }
  return dates;
}

}  // namespace kestro
