// Test support: one folder of the in-memory file system with the window's state and batch over
// it. Every entry holds its first name (a directory in its file "tag"), so a test can say where
// each content ended and nothing lost or mixed up goes unseen.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "batch/batch_renamer.h"
#include "batch/recording_ui_host.h"
#include "platform/memory_file_system.h"

namespace kestro {

class TestFolder {
 public:
  using Names = std::vector<std::string>;
  static constexpr char kFolder[] = "/work/folder";

  TestFolder() {
    fs.AddFolder(kFolder);
    state.dirs_folder = state.files_folder = kFolder;
  }
  // Entries whose names end in "/" are directories.
  void Add(const Names& names) {
    for (const std::string& name : names) {
      if (name.back() == '/') {
        const std::string directory = name.substr(0, name.size() - 1);
        fs.AddFile(kFolder + ("/" + directory), "tag", directory);
      } else {
        fs.AddFile(kFolder, name, name);
      }
    }
  }
  // Lists both pages and selects the entries named on the page of `files`, which becomes the
  // page in force.
  void Select(bool files, const Names& chosen) {
    state.TargetKind = !files;
    batch.Dir2_Change();
    batch.File1_PathChange();
    SelectableList& list = files ? state.List2 : state.List1;
    for (std::size_t i = 0; i < list.size(); ++i)
      list.SetSelected(i, std::find(chosen.begin(), chosen.end(), list.at(i)) != chosen.end());
  }
  void SelectAll(bool files) {
    Select(files, {});
    (files ? state.List2 : state.List1).SelectAll(true);
  }
  // Every name of the folder with the first name of what it holds where that differs: "new<-old".
  Names Where() const {
    Names where;
    for (const std::string& name : fs.AllNames(kFolder)) {
      const std::string first = fs.Content(kFolder + ("/" + name), "tag")
                                    .value_or(fs.Content(kFolder, name).value_or("?"));
      where.push_back(first == name ? name : name + "<-" + first);
    }
    return where;
  }
  // One letter per entry of a report: Done, Unchanged, Kept, No name.
  static std::string Kinds(const BatchReport& report) {
    std::string kinds;
    for (const EntryOutcome& e : report.entries) kinds += "DUKN"[static_cast<int>(e.kind)];
    return kinds;
  }

  MemoryFileSystem fs;
  WindowState state;
  FixedClock clock{CalendarDate{2026, 12, 4}};
  RecordingUiHost ui;
  BatchRenamer batch{state, fs, clock, ui};
};

}  // namespace kestro
