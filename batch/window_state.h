// Everything the batches and the example read and write: the program-wide state (TargetKind,
// ActiveOperation, CommandArgs, WrongCommand) and the values of the main window's controls.
// Initial values are the window's design values. The Qt window binds its controls to this model.
#pragma once

#include <string>

#include "batch/selectable_list.h"
#include "engine/command_args.h"
#include "engine/rename_operation.h"

namespace kestro {

// Which operation tab is in force; at most one, or None.
enum class ActiveOperation { None, Rename, Strip, Replace, Case, Extension, Numbering };

// The selected option of the Case page; None when no option is selected.
enum class CaseChoice { None, lowercase, uppercase, sentence };

struct WindowState {
  // Program-wide state.
  bool TargetKind = true;  // true: Directories, false: Files
  ActiveOperation active_operation = ActiveOperation::Rename;
  std::string command_line;  // the argument text; empty means window mode
  CommandArgs args;
  bool WrongCommand = false;

  // Rename page.
  CommonStyleSettings common_style;
  // Strip page.
  std::string Text6;       // "Strip how many characters?:"
  bool leftoption = true;  // false: rightoption is chosen
  bool SmartCheck = false;
  // Replace page.
  std::string Text8;        // field "A:"
  std::string Text7;        // field "B:"
  bool RegexCheck = false;  // "Regular expression": field A is one, field B may use its groups
  bool MatchCase = false;   // "Match case": field A matches only in its own letter case
  // Case page.
  CaseChoice case_choice = CaseChoice::lowercase;
  bool CaseExtOnly = false;  // "Change the extension's case only"
  // Extension page.
  std::string extad;
  // Numbering page.
  NumberingSettings numbering;

  // Example box.
  std::string before = "Test file name.txt";
  std::string after;

  // Pickers: the chosen folder of each page (Dir2's folder, File1's folder), File1's mask, and
  // the two multi-selection lists.
  std::string dirs_folder;
  std::string files_folder;
  std::string file_mask = "*.*";
  SelectableList List1;  // sub-directories of dirs_folder
  SelectableList List2;  // files of files_folder matching file_mask
};

}  // namespace kestro
