// Message boxes with an OK button, questions with OK and Cancel, and the test recorder.
#include "ui/message_box.h"

#include <QMessageBox>
#include <QString>
#include <optional>
#include <utility>

#include "engine/printable_text.h"

namespace kestro {
namespace {

// The one piece of process-wide state here: a test seam, empty in the program.
std::function<void(const Message&)>& Recorder() {
  static std::function<void(const Message&)> recorder;
  return recorder;
}

std::optional<bool>& NextAnswer() {
  static std::optional<bool> answer;
  return answer;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
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

void ShowMessageBox(QWidget* parent, const Message& message) {
  if (Recorder()) {
    Recorder()(message);
    return;
  }
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdString(message.title),
                  QString::fromStdString(PrintableText(message.text)), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool AskMessageBox(QWidget* parent, const Message& question) {
  if (Recorder()) {
    Recorder()(question);
    return std::exchange(NextAnswer(), std::nullopt).value_or(false);
  }
  QMessageBox box(ToQtIcon(question.icon), QString::fromStdString(question.title),
                  QString::fromStdString(PrintableText(question.text)),
                  QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void ScopedMessageRecorder::AnswerNextQuestion(bool ok) { NextAnswer() = ok; }

ScopedMessageRecorder::ScopedMessageRecorder(std::function<void(const Message&)> record)
    : previous_(std::exchange(Recorder(), std::move(record))) {}

ScopedMessageRecorder::~ScopedMessageRecorder() { Recorder() = std::move(previous_); }

}  // namespace kestro
