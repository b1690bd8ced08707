// The file system behind one interface, so tests and the outcome preview can put an in-memory
// one in its place. Implementations: posix/, windows/ (picked by CMake) and memory_file_system.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/entry_dates.h"
#include "platform/status.h"

namespace kestro {

enum class EntryKind { kFile, kDirectory };

// Failures name what was asked and give the reason: a folder that cannot be reached says
// "cannot open folder '<folder>': <the system's text>"; a rename that fails inside its folder
// gives the reason alone (kNameExists, the name rules of platform/name_rules.h, or the system's
// text), since the caller reports it beside the old and the new name.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The absolute form of `path` (relative to the working directory), with no separator at the
  // end except at a root. Fails, with a reason, when `path` names no existing folder. A ".." is
  // taken as the system takes it, and only above a part that is a folder: "missing/../x" and
  // "file.txt/.." name no folder, whatever their text would suggest.
  virtual Status AbsoluteFolder(std::string_view path, std::string* absolute) = 0;

  // The names (without folder) of the entries of `kind` in `folder`, hidden ones left out, in no
  // particular order. A symbolic link counts as what it points to.
  virtual Status ListNames(const std::string& folder, EntryKind kind,
                           std::vector<std::string>* names) = 0;

  // ListNames of both kinds from one reading of `folder`. The default reads it twice; a file
  // system that tells an entry's kind as it reads answers from one reading.
  virtual Status ListBothKinds(const std::string& folder, std::vector<std::string>* directories,
                               std::vector<std::string>* files) {
    Status status = ListNames(folder, EntryKind::kDirectory, directories);
    if (status.ok()) status = ListNames(folder, EntryKind::kFile, files);
    if (!status.ok()) {
      directories->clear();
      files->clear();
    }
    return status;
  }

  // The name of every entry in `folder`, hidden ones and every kind included ("." and ".."
  // left out), in no particular order: every name a rename inside the folder can run into.
  // A file system that cannot tell answers kNotSupported.
  virtual Status ListAllNames(const std::string& folder, std::vector<std::string>* names) {
    (void)folder;
    names->clear();
    return Status::Error(Status::Code::kNotSupported, "cannot list every name here");
  }

  // Renames `old_name` to `new_name` inside `folder` and never replaces an existing entry: when
  // an entry of the new name exists the call fails with kAlreadyExists and both stay as they
  // were. A change of letter case alone is applied, on case-insensitive file systems too.
  // `new_name` must be a plain name; one holding a separator is refused with kInvalidName.
  // A new name equal to the old one (byte for byte) changes nothing and succeeds when the entry
  // exists.
  virtual Status RenameNoReplace(const std::string& folder, const std::string& old_name,
                                 const std::string& new_name) = 0;

  // Announces a run of renames in `folder`, until EndRenames: an implementation may then open the
  // folder once and resolve every RenameNoReplace for `folder` in the folder as it was at
  // BeginRenames (so a folder moved meanwhile is followed, never swapped for another of its
  // name), instead of opening it per call. Optional: the defaults do nothing, and renames for
  // other folders meanwhile work as always. A second BeginRenames ends the first run.
  virtual void BeginRenames(const std::string& folder) { static_cast<void>(folder); }
  virtual void EndRenames() {}

  // When `name` in `folder` was last modified, in local time. A file system that cannot tell
  // answers kNotSupported.
  virtual Status ModifiedTime(const std::string& folder, const std::string& name,
                              DateTime* when) const {
    static_cast<void>(folder);
    static_cast<void>(name);
    static_cast<void>(when);
    return Status::Error(Status::Code::kNotSupported, "its date modified cannot be read here");
  }
  // When the photo `name` in `folder` was taken, from its own metadata (Exif DateTimeOriginal,
  // else the date it was digitized), reading the metadata alone. Fails with the reason worded to
  // follow "cannot rename 'X': " ("it holds no date taken", ...) for a directory, a file without
  // the date, or one that cannot be read.
  virtual Status DateTaken(const std::string& folder, const std::string& name,
                           DateTime* when) const {
    static_cast<void>(folder);
    static_cast<void>(name);
    static_cast<void>(when);
    return Status::Error(Status::Code::kNotSupported, "it holds no date taken");
  }

  // `folder` and `name` joined by one separator; a folder that already ends in a separator (a
  // root: "/", "C:\") gets none added.
  [[nodiscard]] virtual std::string JoinPath(std::string_view folder,
                                             std::string_view name) const = 0;

  // Whether names that differ only in letter case name the same entry here (Windows: yes).
  // A simulation of a folder must then fold case as the real one does.
  [[nodiscard]] virtual bool NamesIgnoreCase() const { return false; }

  // The refusal this platform gives a new name beyond the shared rules (Windows: reserved device
  // names, forbidden characters, a dot or blank at the end); Ok where it has none.
  [[nodiscard]] virtual Status CheckPlatformName(std::string_view name) const {
    static_cast<void>(name);
    return Status::Ok();
  }

  // Whether an entry named `name` is hidden here, so that no list shows it: a name beginning with
  // "." on POSIX systems; Windows hides by an attribute, whatever the name.
  [[nodiscard]] virtual bool HiddenByName(std::string_view name) const {
    return name.starts_with('.');
  }

  // The longest name `folder` can hold, in the units CheckNameLength counts; 0 when not known.
  virtual std::size_t NameLimit(const std::string& folder) {
    static_cast<void>(folder);
    return 0;
  }
  // The refusal a rename gives `name` in a folder whose names hold at most `limit` units (POSIX:
  // bytes; Windows: UTF-16 code units), worded as the real rename words it; Ok when it fits or
  // `limit` is 0. A simulated folder asks it, so it refuses what the real one would.
  [[nodiscard]] virtual Status CheckNameLength(std::string_view name, std::size_t limit) const {
    static_cast<void>(name);
    static_cast<void>(limit);
    return Status::Ok();
  }

  // Whether `name` holds a path separator of this platform ("/"; on Windows also "\").
  [[nodiscard]] virtual bool HoldsSeparator(std::string_view name) const = 0;
};

// BeginRenames on construction, EndRenames on destruction:
//   { RenameRun run(fs, folder); for (...) fs.RenameNoReplace(folder, old_name, new_name); }
class RenameRun {
 public:
  RenameRun(FileSystem& fs, const std::string& folder) : fs_(fs) { fs_.BeginRenames(folder); }
  ~RenameRun() { fs_.EndRenames(); }
  RenameRun(const RenameRun&) = delete;
  RenameRun& operator=(const RenameRun&) = delete;

 private:
  FileSystem& fs_;
};

}  // namespace kestro
