// GuideWindow.
#include "ui/guide_window.h"

#include <QAccessible>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/messages.h"
#include "ui/accessibility.h"
#include "ui/message_box.h"

namespace kestro {
namespace {

// Tab moves from link to link by selecting each in turn, and the browser tells assistive
// technology nothing of it: a screen reader said nothing at all. This one says which text is
// selected and where the caret went, as a text field does when the selection moves.
class GuideText : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  bool focusNextPrevChild(bool next) override {
    if (!QTextBrowser::focusNextPrevChild(next)) return false;
    const QTextCursor link = textCursor();
    if (hasFocus() && link.hasSelection() && QAccessible::isActive()) {
      QAccessibleTextSelectionEvent selection(this, link.selectionStart(), link.selectionEnd());
      selection.setCursorPosition(link.position());
      QAccessible::updateAccessibility(&selection);
      QAccessibleTextCursorEvent caret(this, link.position());
      QAccessible::updateAccessibility(&caret);
    }
    return true;
  }
};

}  // namespace

GuideWindow::GuideWindow(DocumentOpener& opener) : QWidget(nullptr), opener_(opener) {
  setObjectName("GuideWindow");
  SetAccessibleRole(*this, QAccessible::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromLatin1(messages::kProgramTitle) + " - User Guide");

  text_ = new GuideText(this);
  text_->setObjectName("GuideText");
  text_->setAccessibleName("User Guide");
  text_->setOpenExternalLinks(true);  // "#..." within the guide stays here; the web goes out

  auto* browser = new QPushButton("Open in Browser", this);
  browser->setObjectName("OpenInBrowser");
  connect(browser, &QPushButton::clicked, this, &GuideWindow::OpenInBrowser);
  auto* close_button = new QPushButton("Close", this);
  close_button->setObjectName("Close");
  connect(close_button, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(browser);
  buttons->addWidget(close_button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);

  // About 720 by 640 logical pixels, smaller on a smaller screen; resizable.
  QSize size(720, 640);
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr)
    size = size.boundedTo(screen->availableSize() * 9 / 10);
  resize(size);
  text_->setFocus();
}

Status GuideWindow::Load(const std::string& path) {
  const QString file_name = QString::fromStdString(path);
  if (!QFileInfo(file_name).isFile())
    return Status::Error(Status::Code::kNotFound, "'" + path + "': no such file");
  QFile file(file_name);
  if (!file.open(QIODevice::ReadOnly)) {
    return Status::Error(Status::Code::kIoError,
                         "'" + path + "': " + file.errorString().toStdString());
  }
  const QByteArray html = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return Status::Error(Status::Code::kIoError,
                         "'" + path + "': " + file.errorString().toStdString());
  }
  // The guide's own address is the base of its links, so "#..." scrolls within it.
  text_->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(file_name).absoluteFilePath()));
  text_->setHtml(QString::fromUtf8(html));
  path_ = path;
  return Status::Ok();
}

void GuideWindow::keyPressEvent(QKeyEvent* event) {
  // Escape closes the window, as it closes a dialog.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void GuideWindow::OpenInBrowser() {
  // The launcher may learn only after a while that nothing opens the guide (xdg-open with no
  // browser installed); the window may have been closed by then, and the message still comes.
  const auto say = [](QWidget* over, const Status& failed) {
    ShowMessageBox(over, Message{messages::kGuideNotOpened + failed.message(),
                                 messages::kProgramTitle, MessageIcon::Exclamation});
  };
  const QPointer<GuideWindow> self(this);
  const Status opened =
      opener_.OpenAndWatch(path_, [self, say](const Status& failed) { say(self, failed); });
  if (!opened.ok()) say(this, opened);
}

}  // namespace kestro
