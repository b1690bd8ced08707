// The dates of the entries of one folder, each read from disk at most once and kept while the
// folder stays unchanged: the outcome preview asks for them on every change of a setting, the
// batch once per entry.
//
// How a window uses the date choice:
//   - The Rename page shows a choice "Date from:" beside the "Info" group, bound to
//     WindowState::common_style.date_choice (DateChoice::Today, Taken or Modified); the Numbering
//     page a choice "Count in order of:" bound to WindowState::numbering.order. Both are kept in
//     the session (kDateChoiceKey, kNumberingOrderKey in batch/session_settings.h).
//   - The Example box needs nothing more: CheckAllValues gives the sample the dates
//     SampleEntryDates(today) (today at noon), so "after" shows the chosen date's format.
//   - The outcome preview: ReadFolderNames attaches a FolderDates to the FolderNames it fills, so
//     a window that keeps its FolderNames until the folder changes reads each date once.
//     PreviewRow::date then holds each entry's date as the choice gives it ("2026-12-04
//     09:05:07") or why it has none ("it holds no date taken"); such an entry's row says it keeps
//     its name, before anything runs. Show PreviewRow::date in a column of its own.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

#include "engine/entry_dates.h"
#include "platform/file_system.h"

namespace kestro {

// The captions of the two choices, by the enums' order, and of their labels; both windows show
// these.
inline constexpr const char* kDateChoiceCaptions[] = {"Today", "Date taken", "Date modified"};
inline constexpr char kDateChoiceLabel[] = "Date from:";
inline constexpr const char* kNumberingOrderCaptions[] = {"Name", "Date taken", "Date modified"};
inline constexpr char kNumberingOrderLabel[] = "Count in order of:";

// Which of an entry's dates an operation puts into names.
struct DatesNeeded {
  bool taken = false;
  bool modified = false;
  [[nodiscard]] bool any() const { return taken || modified; }
};

// Safe to share between threads: the window's preview worker and the window itself.
class FolderDates {
 public:
  // `fs` must outlive this object.
  FolderDates(const FileSystem& fs, std::string folder);

  // The dates `needed` of the entry `name`, read on first ask and kept; a date not needed may be
  // left unread (missing).
  [[nodiscard]] EntryDates Get(const std::string& name, DatesNeeded needed);
  [[nodiscard]] const std::string& folder() const { return folder_; }

 private:
  struct Kept {
    EntryDates dates;
    bool taken_read = false;
    bool modified_read = false;
  };
  const FileSystem& fs_;
  std::string folder_;
  std::mutex mutex_;
  std::unordered_map<std::string, Kept> kept_;
};

// Reads the dates `needed` of `name` in `folder` from `fs`, missing ones with their reasons.
[[nodiscard]] EntryDates ReadEntryDates(const FileSystem& fs, const std::string& folder,
                                        const std::string& name, DatesNeeded needed);

}  // namespace kestro
