#include "ui/qt_document_opener.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <utility>

namespace kestro {
namespace {

// How long starting the launcher may take before it counts as not started.
constexpr int kStartMs = 10000;

// Why the launcher ended without opening the document, by xdg-open's exit statuses.
std::string ExitReason(const std::string& launcher, int code) {
  const std::string status =
      " (" + launcher + " ended with exit status " + std::to_string(code) + ")";
  switch (code) {
    case 2:
      return "the file was not found" + status;
    case 3:
      return "no program to open it is installed" + status;
    case 4:
      return "the program that opens it failed" + status;
    default:
      return "it was not opened" + status;
  }
}

}  // namespace

QtDocumentOpener::QtDocumentOpener(std::string launcher) : launcher_(std::move(launcher)) {}

QtDocumentOpener::~QtDocumentOpener() {
  for (const QPointer<QProcess>& process : launched_) {
    if (process == nullptr) continue;
    // Nobody is left to hear how it ends; it still deletes itself then.
    QObject::disconnect(process, &QProcess::finished, nullptr, nullptr);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  }
}

Status QtDocumentOpener::Open(const std::string& path) { return OpenAndWatch(path, {}); }

Status QtDocumentOpener::OpenAndWatch(const std::string& path,
                                      std::function<void(const Status&)> failed) {
  const QString document = QString::fromStdString(path);
  if (!QFileInfo(document).isFile()) {
    return Status::Error(Status::Code::kNotFound, "'" + path + "': no such file");
  }
  auto* process = new QProcess;
  process->setProgram(QString::fromStdString(launcher_));
  process->setArguments(QStringList{document});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [process, launcher = launcher_, path, failed = std::move(failed)](
                       int code, QProcess::ExitStatus how) {
                     process->deleteLater();
                     if (!failed) return;
                     if (how == QProcess::CrashExit) {
                       failed(Status::Error(Status::Code::kIoError,
                                            "'" + path + "': " + launcher + " stopped abruptly"));
                     } else if (code != 0) {
                       failed(Status::Error(Status::Code::kIoError,
                                            "'" + path + "': " + ExitReason(launcher, code)));
                     }
                   });
  process->start();
  if (!process->waitForStarted(kStartMs)) {
    const Status error =
        Status::Error(Status::Code::kIoError,
                      "cannot start " + launcher_ + ": " + process->errorString().toStdString());
    QObject::disconnect(process, &QProcess::finished, nullptr, nullptr);
    process->kill();
    process->waitForFinished(kStartMs);
    delete process;
    return error;
  }
  std::erase_if(launched_, [](const QPointer<QProcess>& done) { return done == nullptr; });
  launched_.emplace_back(process);
  return Status::Ok();
}

}  // namespace kestro
