// The window's message boxes: the text, a title, an icon and an OK button, shown modally. Tests
// install a recorder so that no modal box waits for a click: the message is handed to it instead.
#pragma once

#include <functional>

#include "batch/ui_host.h"

class QWidget;

namespace kestro {

// Shows `message` over `parent` and returns when it has been closed, or hands it to the recorder
// in force and returns at once.
void ShowMessageBox(QWidget* parent, const Message& message);

// Asks `question` over `parent` with OK and Cancel, Cancel the default (Enter and Escape both
// cancel unless OK has the focus); true for OK. With a recorder in force the question is recorded
// and gets the answer set by AnswerNextQuestion, Cancel when none was set.
[[nodiscard]] bool AskMessageBox(QWidget* parent, const Message& question);

// While one lives, ShowMessageBox hands every message to `record` instead of showing it. The
// newest one in force wins; destroying it puts the previous one back.
class ScopedMessageRecorder {
 public:
  explicit ScopedMessageRecorder(std::function<void(const Message&)> record);
  ~ScopedMessageRecorder();
  ScopedMessageRecorder(const ScopedMessageRecorder&) = delete;
  ScopedMessageRecorder& operator=(const ScopedMessageRecorder&) = delete;

  // The answer the next recorded question gets (OK for true); one answer, one question.
  static void AnswerNextQuestion(bool ok);

 private:
  std::function<void(const Message&)> previous_;
};

}  // namespace kestro
