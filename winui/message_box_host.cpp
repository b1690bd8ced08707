// Win32 message boxes.
#include "winui/message_box_host.h"

#include "engine/messages.h"
#include "engine/printable_text.h"
#include "winui/win32_text.h"

namespace kestro {

void ShowWin32MessageBox(HWND owner, const Message& message) {
  UINT icon = 0;
  if (message.icon == MessageIcon::Exclamation) icon = MB_ICONEXCLAMATION;
  if (message.icon == MessageIcon::Critical) icon = MB_ICONERROR;
  const std::string title = message.title.empty() ? messages::kProgramTitle : message.title;
  MessageBoxW(owner, Wide(PrintableText(message.text)).c_str(), Wide(title).c_str(),
              MB_OK | icon | (owner == nullptr ? MB_TASKMODAL : 0));
}

}  // namespace kestro
