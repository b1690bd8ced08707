// QtUiHost.
#include "ui/qt_ui_host.h"

#include <QWidget>

#include "ui/message_box.h"

namespace kestro {

void QtUiHost::ShowMessage(const Message& message) { ShowMessageBox(&window_, message); }

void QtUiHost::FocusText8() { text8_.setFocus(Qt::OtherFocusReason); }

void QtUiHost::UnloadMainWindow() { window_.close(); }

}  // namespace kestro
