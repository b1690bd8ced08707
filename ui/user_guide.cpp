#include "ui/user_guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#ifndef KESTRO_GUIDE_DIR_FROM_BIN
#define KESTRO_GUIDE_DIR_FROM_BIN "../share/doc/kestrovane"
#define KESTRO_GUIDE_DIR_FROM_WINDOW "../../share/doc/kestrovane"
#endif

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
  // kestro sits in <prefix>/bin, kestro-window in the install's private folder.
  const auto installed = [&program](const char* guide_dir) {
    return QDir::cleanPath(program.absoluteFilePath(QString::fromUtf8(guide_dir) + "/manual.htm"));
  };
  for (const QString& candidate :
       {beside, installed(KESTRO_GUIDE_DIR_FROM_BIN), installed(KESTRO_GUIDE_DIR_FROM_WINDOW)}) {
    if (QFileInfo(candidate).isFile()) return candidate.toStdString();
  }
  return beside.toStdString();
}

}  // namespace kestro
