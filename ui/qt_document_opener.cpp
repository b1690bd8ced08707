#include "ui/qt_document_opener.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace kestro {

Status QtDocumentOpener::Open(const std::string& path) {
  const QString document = QString::fromStdString(path);
  if (!QFileInfo(document).isFile()) {
    return Status::Error(Status::Code::kNotFound, "'" + path + "': no such file");
  }
  QProcess process;
  process.setProgram(QString::fromStdString(launcher_));
  process.setArguments(QStringList{document});
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  if (!process.startDetached()) {
    return Status::Error(Status::Code::kIoError,
                         "cannot start " + launcher_ + ": " + process.errorString().toStdString());
  }
  return Status::Ok();
}

}  // namespace kestro
