// Win32 message boxes.
#include "winui/message_box_host.h"

#include <algorithm>
#include <string>

#include "engine/messages.h"
#include "engine/printable_text.h"
#include "winui/win32_text.h"

namespace kestro {

namespace {

int ShowBox(HWND owner, const Message& message, UINT buttons) {
  UINT icon = 0;
  if (message.icon == MessageIcon::Exclamation) icon = MB_ICONEXCLAMATION;
  if (message.icon == MessageIcon::Critical) icon = MB_ICONERROR;
  const std::string title = message.title.empty() ? messages::kProgramTitle : message.title;
  std::string text;
  if (message.lines) {
    for (std::size_t start = 0; start <= message.text.size();) {
      const std::size_t end = std::min(message.text.find('\n', start), message.text.size());
      if (start > 0) text += "\r\n";
      text += PrintableText(std::string_view(message.text).substr(start, end - start));
      start = end + 1;
    }
  } else {
    text = PrintableText(message.text);
  }
  return MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(),
                     buttons | icon | (owner == nullptr ? MB_TASKMODAL : 0));
}

}  // namespace

void ShowWin32MessageBox(HWND owner, const Message& message) { ShowBox(owner, message, MB_OK); }

bool AskWin32MessageBox(HWND owner, const Message& question) {
  return ShowBox(owner, question, MB_OKCANCEL | MB_DEFBUTTON2) == IDOK;
}

}  // namespace kestro
