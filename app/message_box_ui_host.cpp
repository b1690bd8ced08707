#include "app/message_box_ui_host.h"

#include <QMessageBox>
#include <QString>

#include "engine/messages.h"

namespace kestro {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void MessageBoxUiHost::ShowMessage(const Message& message) {
  const QString title = QString::fromStdString(
      message.title.empty() ? std::string(messages::kProgramTitle) : message.title);
  QMessageBox box(IconOf(message.icon), title, QString::fromStdString(message.text),
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace kestro
