// A UiHost for tests and for running a batch unseen: it records every message, focus move and
// unload in the order they were asked for, and shows nothing.
#pragma once

#include <string>
#include <vector>

#include "batch/ui_host.h"

namespace kestro {

class RecordingUiHost : public UiHost {
 public:
  enum class Call { kMessage, kFocusText8, kUnload };

  void ShowMessage(const Message& message) override {
    messages.push_back(message);
    calls.push_back(Call::kMessage);
  }
  void FocusText8() override { calls.push_back(Call::kFocusText8); }
  void UnloadMainWindow() override { calls.push_back(Call::kUnload); }
  // A question is recorded as a message; it gets the first of `answers`, Cancel when none is left.
  bool Ask(const Message& question) override {
    ShowMessage(question);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }

  std::vector<Message> messages;
  std::vector<Call> calls;
  std::vector<bool> answers;
};

}  // namespace kestro
