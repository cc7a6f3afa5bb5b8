// The drive list of the media selection: the mounted volumes a medium can be on, optical media
// first, then removable ones, then volumes mounted where media are mounted.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace kestrova {

enum class VolumeKind { Optical, Removable, Fixed };

struct DriveEntry {
  QString root;   // the mount point
  QString label;  // the volume's label; empty when it has none
  VolumeKind kind = VolumeKind::Fixed;
};

// A mounted file system as the system lists it.
struct MountedVolume {
  QString root;
  QByteArray device;
  QByteArray fileSystemType;
  QString label;
};

// What kind of medium a volume is: optical by its file system or device, removable by the
// kernel's removable flag of its disk or by a mount point where desktops mount media.
VolumeKind ClassifyVolume(const QByteArray& device, const QByteArray& fileSystemType,
                          const QString& root);

// Optical volumes first, then removable ones, then the others; each group in the given order.
void OrderDrives(std::vector<DriveEntry>& drives);

// The volumes that can hold a medium, in the order above: optical and removable media, and the
// volumes mounted under /media, /run/media or /mnt, where desktops and users mount them. The
// system's own file systems (/, /boot, /snap/…, /run/user/… and the like) are left out.
std::vector<DriveEntry> MediaDrives(const std::vector<MountedVolume>& volumes);

// MediaDrives of the mounted volumes that are ready.
std::vector<DriveEntry> MountedDrives();

// The list item: "root  [label]", or the root alone for a volume without a label.
QString DriveItemText(const DriveEntry& drive);

}  // namespace kestrova
