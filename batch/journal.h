// The journal of batches. Every batch, from the window or the command line, writes to a file of
// its own the folder it works in, where it was made, when, and every rename it is about to try,
// before it tries the first, then notes which of them it made. A batch killed at any point leaves
// what it takes to undo it: the renames noted as made, and for the last few, made but not yet
// noted, the folder itself tells (batch/undo.h). The newest ten journals are kept; an undo notes
// in its journal what it took back.
//
// The journal folder is read as a folder anyone could have put anything in: a journal is read
// only when it is a regular file (never through a link, never a FIFO or a device), no larger
// than the journal of the largest batch it records could be, for a folder given as an absolute
// path; anything else is passed over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace kestro {

struct JournalEntry {
  enum class Made { kYes, kNo, kUnknown };
  std::string old_name;
  std::string new_name;
  Made made = Made::kUnknown;
};

struct Journal {
  enum class Origin { kUnknown, kWindow, kCommandLine };  // kUnknown: an older journal
  std::string path;                                       // its file
  std::string folder;                                     // the folder the batch worked in
  std::vector<JournalEntry> entries;                      // in the batch's order
  bool undone = false;
  Origin origin = Origin::kUnknown;
  std::int64_t begun = 0;  // when the batch began, in seconds since 1970 (UTC); 0: unknown

  // The renames still to take back: those noted as made or not known to be.
  [[nodiscard]] std::size_t ToTakeBack() const;
};

// The most renames one journal records; a larger batch runs without one.
inline constexpr std::size_t kMaxJournalRenames = 1000000;

// Tells whether a journal's folder is an absolute path (the platform's rule, IsAbsoluteStatePath,
// unless a test's file system has its own).
using AbsolutePathRule = std::function<bool(std::string_view path)>;

// Reads the text of a journal file; fails, saying why, when it is no journal or one to refuse
// (a folder that is not absolute by `absolute`, a line or a number of renames no batch writes).
Status ReadJournalText(std::string_view text, Journal* journal,
                       const AbsolutePathRule& absolute = {});

// The journal of one running batch. Notes are written in groups, so the journal costs little; a
// batch killed between two groups leaves the last few renames to be told from the folder.
class JournalWriter {
 public:
  JournalWriter() = default;
  ~JournalWriter() { Close(); }
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  [[nodiscard]] bool open() const { return out_.is_open(); }
  // Its file, once begun.
  [[nodiscard]] const std::string& path() const { return path_; }
  // Notes whether the rename at `index` (in the list the journal began with) was made. Indexes
  // come in order; one left out was not tried.
  void Made(std::size_t index, bool made);
  // Writes what is still noted and how far the batch came; renames after that were not tried.
  void Close();

 private:
  friend class JournalFolder;
  void Flush();

  std::ofstream out_;
  std::string path_;
  std::string pending_;  // "1" or "0" per rename from `first_pending_` on
  std::size_t first_pending_ = 0;
};

class JournalFolder {
 public:
  // The journals live in `folder` (made when the first is written). A journal whose folder is
  // not absolute by `absolute` is refused.
  explicit JournalFolder(std::string folder, AbsolutePathRule absolute = {})
      : folder_(std::move(folder)), absolute_(std::move(absolute)) {}
  // No folder for journals: every batch is told `reason` and none can be undone.
  static JournalFolder Unavailable(std::string reason);

  [[nodiscard]] const std::string& folder() const { return folder_; }
  // Why there is no journal folder; empty when there is one.
  [[nodiscard]] const std::string& unavailable() const { return unavailable_; }

  // Gives the next rename of a batch (old name, new name); false when there is none left.
  using NextRename = std::function<bool(std::string_view* old_name, std::string_view* new_name)>;

  // Starts the journal of a batch made from `origin` in `batch_folder` that is about to try the
  // renames `next` gives, in order: all of them are written before this returns (the views need
  // to last only until the next call). Fails, with the reason, when the journal cannot be
  // written; the batch may still go on, without a way back.
  Status Begin(const std::string& batch_folder, Journal::Origin origin, const NextRename& next,
               JournalWriter* writer);
  // The files of the kept journals, newest first: each new journal is numbered one past the
  // newest, whatever the clock says; journals of older versions, named by the time they began,
  // count as older than any numbered one.
  [[nodiscard]] std::vector<std::string> Files() const;
  // Reads the journal at `path` (one of Files()), refusing what ReadJournalText refuses and any
  // file that is not a regular one of a journal's size.
  Status Read(const std::string& path, Journal* journal) const;
  // The newest journal not yet taken back that has a rename to take back; kNotFound ("Nothing to
  // undo.") when there is none.
  Status Newest(Journal* journal) const;
  // Marks `journal` taken back, so that the next undo takes the batch before it.
  Status MarkUndone(const Journal& journal) const;
  // Marks the renames at `indexes` of `journal` as not made (they were taken back one by one).
  Status MarkNotMade(const Journal& journal, const std::vector<std::size_t>& indexes) const;

 private:
  std::string folder_;
  AbsolutePathRule absolute_;
  std::string unavailable_;
};

// The user's journal folder (platform/state_folder.h), or, when there is none, one that tells every
// batch why.
[[nodiscard]] JournalFolder UserJournalFolder();

}  // namespace kestro
