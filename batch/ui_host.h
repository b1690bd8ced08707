// What the batches ask of whoever shows them: a message box, the focus move to field "A:", and
// unloading the main window. The Qt window, the headless command line and the tests implement it.
#pragma once

#include <string>

namespace kestro {

enum class MessageIcon { None, Exclamation, Critical };

struct Message {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::None;
  // The text is lines joined by "\n" (a list of entries, say): each line is shown on a line of
  // its own, its control characters written out. Otherwise the whole text is one line.
  bool lines = false;
};

class UiHost {
 public:
  virtual ~UiHost() = default;
  // Shows the message with an OK button and returns when it has been closed.
  virtual void ShowMessage(const Message& message) = 0;
  // Moves the input focus to Text8 (field "A:" of the Replace page).
  virtual void FocusText8() = 0;
  // Unloads the main window (the command line's batch then stops).
  virtual void UnloadMainWindow() = 0;
  // Asks `question` with OK and Cancel, Cancel the default; true for OK. A host that cannot ask
  // answers Cancel.
  virtual bool Ask(const Message& question) {
    static_cast<void>(question);
    return false;
  }
};

}  // namespace kestro
