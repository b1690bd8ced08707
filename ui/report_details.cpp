// ReportDetails.
#include "ui/report_details.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/messages.h"
#include "engine/printable_text.h"

namespace kestro {

ReportDetails::ReportDetails(const QString& summary, const std::vector<std::string>& lines,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("ReportDetails");
  setWindowTitle(QString::fromLatin1(messages::kProgramTitle) + QStringLiteral(" - Details"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* heading = new QLabel(summary, this);
  heading->setTextFormat(Qt::PlainText);  // a name is never markup
  heading->setWordWrap(true);
  auto* text = new QPlainTextEdit(this);
  text->setObjectName("ReportDetailsText");
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  QString all;
  for (const std::string& line : lines) {
    all += QString::fromStdString(PrintableText(line)) + QLatin1Char('\n');
  }
  text->setPlainText(all);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* copy = buttons->addButton(QStringLiteral("Copy"), QDialogButtonBox::ActionRole);
  copy->setObjectName("CopyDetails");
  connect(copy, &QPushButton::clicked, this, [all] { QApplication::clipboard()->setText(all); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(640, 360);
}

}  // namespace kestro
