// The drive list of the media selection: the mounted volumes, optical and removable media first.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace kestrova {

enum class VolumeKind { Optical, Removable, Fixed };

struct DriveEntry {
  QString root;         // the mount point
  QString displayName;  // the volume's label, or its mount point
  VolumeKind kind = VolumeKind::Fixed;
};

// What kind of medium a volume is: optical by its file system or device, removable by the
// kernel's removable flag of its disk or by a mount point where desktops mount media.
VolumeKind ClassifyVolume(const QByteArray& device, const QByteArray& fileSystemType,
                          const QString& root);

// Optical volumes first, then removable ones, then the others; each group in the given order.
void OrderDrives(std::vector<DriveEntry>& drives);

// The mounted volumes that are ready, in the order above.
std::vector<DriveEntry> MountedDrives();

// The list item: "root  [display name]".
QString DriveItemText(const DriveEntry& drive);

}  // namespace kestrova
