#include "ui/user_guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

namespace kestro {
namespace {

// The program's folder; without an application object (the headless command line) it is read
// from the running executable's own link.
QString ProgramFolder() {
  if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
  return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

}  // namespace

std::string UserGuidePath() { return UserGuidePathIn(ProgramFolder().toStdString()); }

std::string UserGuidePathIn(const std::string& program_folder) {
  const QDir program(QString::fromStdString(program_folder));
  const QString beside = program.absoluteFilePath(QStringLiteral("manual.htm"));
  const QString installed = QDir::cleanPath(
      program.absoluteFilePath(QStringLiteral("../share/doc/kestrovane/manual.htm")));
  for (const QString& candidate : {beside, installed}) {
    if (QFileInfo(candidate).isFile()) return candidate.toStdString();
  }
  return beside.toStdString();
}

}  // namespace kestro
