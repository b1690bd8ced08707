// The journal of batches. Every batch, from the window or the command line, writes to a file of
// its own the folder it works in and every rename it is about to try, before it tries the first,
// then notes which of them it made. A batch killed at any point leaves what it takes to undo it:
// the renames noted as made, and for the last few, made but not yet noted, the folder itself tells
// (batch/undo.h). The newest ten journals are kept; an undo marks its journal taken back.
#pragma once

#include <cstddef>
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
  std::string path;                   // its file
  std::string folder;                 // the folder the batch worked in
  std::vector<JournalEntry> entries;  // in the batch's order
  bool undone = false;
};

// The journal of one running batch. Notes are written in groups, so the journal costs little; a
// batch killed between two groups leaves the last few renames to be told from the folder.
class JournalWriter {
 public:
  JournalWriter() = default;
  ~JournalWriter() { Close(); }
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  [[nodiscard]] bool open() const { return out_.is_open(); }
  // Notes whether the rename at `index` (in the list the journal began with) was made. Indexes
  // come in order; one left out was not tried.
  void Made(std::size_t index, bool made);
  // Writes what is still noted and how far the batch came; renames after that were not tried.
  void Close();

 private:
  friend class JournalFolder;
  void Flush();

  std::ofstream out_;
  std::string pending_;  // "1" or "0" per rename from `first_pending_` on
  std::size_t first_pending_ = 0;
};

class JournalFolder {
 public:
  // The journals live in `folder` (made when the first is written).
  explicit JournalFolder(std::string folder) : folder_(std::move(folder)) {}
  [[nodiscard]] const std::string& folder() const { return folder_; }

  // Gives the next rename of a batch (old name, new name); false when there is none left.
  using NextRename = std::function<bool(std::string_view* old_name, std::string_view* new_name)>;

  // Starts the journal of a batch in `batch_folder` that is about to try the renames `next`
  // gives, in order: all of them are written before this returns (the views need to last only
  // until the next call). Fails, with the reason, when the journal cannot be written; the batch
  // may still go on, without a way back.
  Status Begin(const std::string& batch_folder, const NextRename& next, JournalWriter* writer);
  // The newest journal not yet taken back; kNotFound when there is none.
  Status Newest(Journal* journal) const;
  // Marks `journal` taken back, so that the next undo takes the batch before it.
  Status MarkUndone(const Journal& journal) const;
  // Marks the renames at `indexes` of `journal` as not made (they were taken back one by one).
  Status MarkNotMade(const Journal& journal, const std::vector<std::size_t>& indexes) const;

 private:
  std::string folder_;
};

}  // namespace kestro
