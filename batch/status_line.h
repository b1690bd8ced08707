// The main window's status line: its text and what the text is about, so that a line goes once it
// no longer describes the window. Both windows keep their line in one.
//
//   StatusLine line;
//   line.Show("'/x' cannot be opened: no such folder.", StatusLine::About::kPath);
//   line.FolderOpened();  // true: the line is empty now
#pragma once

#include <string>

namespace kestro {

class StatusLine {
 public:
  enum class About {
    kEvent,      // what a batch, an undo or a re-read did: stays until another line replaces it
    kPath,       // a folder that could not be opened or listed: goes once a folder opens
    kSelection,  // the selection count of one list: follows it, goes when it shows another folder
  };

  // Shows `text`. For kSelection, `directories` names the list counted (List1 or List2) and
  // `folder` the folder it lists.
  void Show(std::string text, About about, bool directories = false, std::string folder = {});

  // A folder opened on either page: an error about a path no longer holds. Returns whether the
  // line changed.
  bool FolderOpened();

  // The list of the Directories page (`directories`) or of the Files page was filled anew, from
  // `folder`, and its count reads `count`. A count of that list follows it, or goes when the list
  // now shows another folder. Returns whether the line changed.
  bool ListChanged(bool directories, const std::string& folder, const std::string& count);

  [[nodiscard]] const std::string& text() const { return text_; }
  [[nodiscard]] About about() const { return about_; }

 private:
  bool Clear();

  std::string text_;
  About about_ = About::kEvent;
  bool directories_ = false;
  std::string folder_;
};

}  // namespace kestro
