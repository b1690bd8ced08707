// The messages of a run whose progress is on screen: each text once per run (a numbering that
// cannot be made fails alike for every entry), and with nothing of the progress covering it.
#pragma once

#include <string>
#include <vector>

#include "batch/ui_host.h"

namespace kestro {

// What shows a run's progress, in either window.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  // Shows `message` through `ui` with the progress out of its way while the box is up.
  virtual void ShowUncovered(UiHost& ui, const Message& message) = 0;
};

// A UiHost whose messages go through the run's progress.
class MessagesAbove : public UiHost {
 public:
  MessagesAbove(UiHost& ui, ProgressView& progress) : ui_(ui), progress_(progress) {}
  void ShowMessage(const Message& message) override;
  void FocusText8() override { ui_.FocusText8(); }
  void UnloadMainWindow() override { ui_.UnloadMainWindow(); }
  bool Ask(const Message& question) override { return ui_.Ask(question); }

 private:
  UiHost& ui_;
  ProgressView& progress_;
  std::vector<std::string> shown_;
};

}  // namespace kestro
