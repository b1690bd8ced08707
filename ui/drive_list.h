// The drives a drive list (Drive1, Drive2) offers: the file-system roots, the home folder, and
// the removable media mounted under /media/<user>, /run/media/<user> and /mnt.
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace kestro {

// The roots (QDir::drives: "/" here, every drive letter on Windows), the home folder, then the
// mounts found under the removable-media folders, without repeats, in that order.
[[nodiscard]] QStringList MountedDrives();

// Of `drives`, the one `folder` lies on: the longest that is `folder` or a folder above it.
// -1 when none is.
[[nodiscard]] int DriveOf(const QStringList& drives, const QString& folder);

// A drive list: shows MountedDrives() and reports the one the user chooses.
class DriveList : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveList(QWidget* parent);
  // Shows the drive `folder` lies on, without reporting a change.
  void ShowDriveOf(const QString& folder);
  // Goes back to the drive shown before the last change the user made, without reporting.
  void RevertChange();
  [[nodiscard]] QString drive() const;

 signals:
  void DriveChosen(const QString& drive);

 private:
  int shown_ = -1;
  int previous_ = -1;
};

}  // namespace kestro
