// MountedDrives, DriveOf and DriveList.
#include "ui/drive_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace kestro {
namespace {

bool Contains(const QString& drive, const QString& folder) {
  if (folder == drive) return true;
  if (!folder.startsWith(drive)) return false;
  // A root ends in its separator ("/", "C:/"); any other drive needs one after it.
  return drive.endsWith('/') || drive.endsWith('\\') || folder.at(drive.size()) == '/' ||
         folder.at(drive.size()) == '\\';
}

}  // namespace

QStringList MountedDrives() {
  QStringList drives;
  auto add = [&drives](const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    if (!native.isEmpty() && !drives.contains(native)) drives.push_back(native);
  };
  for (const QFileInfo& root : QDir::drives()) add(root.absoluteFilePath());
  add(QDir::homePath());

  const QString user = QDir(QDir::homePath()).dirName();
  const QStringList removable_roots = {"/media/" + user + "/", "/run/media/" + user + "/", "/mnt/"};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    for (const QString& prefix : removable_roots) {
      if (root.startsWith(prefix) && root.size() > prefix.size()) add(root);
    }
  }
  return drives;
}

int DriveOf(const QStringList& drives, const QString& folder) {
  int best = -1;
  for (int i = 0; i < drives.size(); ++i) {
    if (Contains(drives[i], folder) && (best < 0 || drives[i].size() > drives[best].size())) {
      best = i;
    }
  }
  return best;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  addItems(MountedDrives());
  shown_ = previous_ = currentIndex();
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    previous_ = shown_;
    shown_ = index;
    emit DriveChosen(itemText(index));
  });
}

void DriveList::ShowDriveOf(const QString& folder) {
  QStringList drives;
  for (int i = 0; i < count(); ++i) drives.push_back(itemText(i));
  const int index = DriveOf(drives, folder);
  if (index < 0) return;
  const QSignalBlocker blocker(this);
  setCurrentIndex(index);
  shown_ = previous_ = index;
}

void DriveList::RevertChange() {
  const QSignalBlocker blocker(this);
  setCurrentIndex(previous_);
  shown_ = previous_;
}

QString DriveList::drive() const { return currentText(); }

}  // namespace kestro
