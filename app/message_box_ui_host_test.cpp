#include "app/message_box_ui_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "engine/messages.h"

namespace kestro {
namespace {

struct Seen {
  std::string title;
  std::string text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
};

// Shows `message` and reads the box while it waits, then presses its OK button.
Seen ShowAndRead(const Message& message) {
  Seen seen;
  QTimer reader;
  reader.setInterval(10);
  QObject::connect(&reader, &QTimer::timeout, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.title = box->windowTitle().toStdString();
    seen.text = box->text().toStdString();
    seen.icon = box->icon();
    seen.buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  reader.start();
  MessageBoxUiHost host;
  host.ShowMessage(message);
  return seen;
}

TEST(MessageBoxUiHostTest, ShowsTitleTextAndIconWithOneOkButton) {
  const Seen seen = ShowAndRead(
      Message{messages::kErroneousValues, messages::kErrorTitle, MessageIcon::Critical});
  EXPECT_EQ(seen.title, messages::kErrorTitle);
  EXPECT_EQ(seen.text, messages::kErroneousValues);
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, 1);
}

TEST(MessageBoxUiHostTest, AMessageWithoutTitleCarriesTheProgramsName) {
  const Seen seen = ShowAndRead(Message{messages::kWrongCommands, "", MessageIcon::None});
  EXPECT_EQ(seen.title, messages::kProgramTitle);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
}

TEST(MessageBoxUiHostTest, TheExclamationIconIsTheWarningOne) {
  EXPECT_EQ(ShowAndRead(Message{"x", messages::kErrorTitle, MessageIcon::Exclamation}).icon,
            QMessageBox::Warning);
}

}  // namespace
}  // namespace kestro
