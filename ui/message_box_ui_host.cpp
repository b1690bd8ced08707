#include "ui/message_box_ui_host.h"

#include <string>

#include "engine/messages.h"
#include "ui/message_box.h"

namespace kestro {

void MessageBoxUiHost::ShowMessage(const Message& message) {
  Message shown = message;
  if (shown.title.empty()) shown.title = messages::kProgramTitle;
  ShowMessageBox(nullptr, shown);
}

}  // namespace kestro
