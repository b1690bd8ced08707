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

  std::vector<Message> messages;
  std::vector<Call> calls;
};

}  // namespace kestro
