#include "drive_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace kestrova {
namespace {

// The kernel's removable flag of the disk that holds the device (a partition's disk is the
// folder above it in sysfs).
bool KernelSaysRemovable(const QByteArray& device) {
  if (!device.startsWith("/dev/")) {
    return false;
  }
  const QString block =
      QFileInfo(QStringLiteral("/sys/class/block/") + QString::fromLocal8Bit(device.mid(5)))
          .canonicalFilePath();
  if (block.isEmpty()) {
    return false;
  }
  for (const QString& folder : {block, QFileInfo(block).path()}) {
    QFile flag(folder + QStringLiteral("/removable"));
    if (flag.open(QIODevice::ReadOnly)) {
      return flag.read(1) == "1";
    }
  }
  return false;
}

bool IsUnder(const QString& root, const QString& folder) {
  return root == folder || root.startsWith(folder + QLatin1Char('/'));
}

// Where desktops and users mount media.
bool IsMediaPlace(const QString& root) {
  return IsUnder(root, QStringLiteral("/media")) || IsUnder(root, QStringLiteral("/run/media")) ||
         IsUnder(root, QStringLiteral("/mnt"));
}

// The folders of the system itself: nothing mounted there is a medium to check, even on a
// removable disk the system runs from.
bool IsSystemPlace(const QString& root) {
  if (root == QStringLiteral("/")) {
    return true;
  }
  for (const char* folder : {"/boot", "/snap", "/run", "/proc", "/sys", "/dev", "/usr", "/var",
                             "/etc", "/tmp", "/opt", "/srv", "/home", "/root"}) {
    if (IsUnder(root, QString::fromLatin1(folder))) {
      return true;
    }
  }
  return false;
}

}  // namespace

VolumeKind ClassifyVolume(const QByteArray& device, const QByteArray& fileSystemType,
                          const QString& root) {
  if (fileSystemType == "iso9660" || fileSystemType == "udf" || device.startsWith("/dev/sr")) {
    return VolumeKind::Optical;
  }
  if (root.startsWith(QStringLiteral("/media/")) ||
      root.startsWith(QStringLiteral("/run/media/")) || KernelSaysRemovable(device)) {
    return VolumeKind::Removable;
  }
  return VolumeKind::Fixed;
}

void OrderDrives(std::vector<DriveEntry>& drives) {
  std::stable_sort(drives.begin(), drives.end(), [](const DriveEntry& a, const DriveEntry& b) {
    return static_cast<int>(a.kind) < static_cast<int>(b.kind);
  });
}

std::vector<DriveEntry> MediaDrives(const std::vector<MountedVolume>& volumes) {
  std::vector<DriveEntry> drives;
  for (const MountedVolume& volume : volumes) {
    const VolumeKind kind = ClassifyVolume(volume.device, volume.fileSystemType, volume.root);
    const bool medium =
        IsMediaPlace(volume.root) || (kind != VolumeKind::Fixed && !IsSystemPlace(volume.root));
    if (medium) {
      drives.push_back({volume.root, volume.label, kind});
    }
  }
  OrderDrives(drives);
  return drives;
}

std::vector<DriveEntry> MountedDrives() {
  std::vector<MountedVolume> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady()) {
      volumes.push_back({QDir::toNativeSeparators(volume.rootPath()), volume.device(),
                         volume.fileSystemType(), volume.name()});
    }
  }
  return MediaDrives(volumes);
}

QString DriveItemText(const DriveEntry& drive) {
  if (drive.label.isEmpty()) {
    return drive.root;
  }
  return drive.root + QStringLiteral("  [") + drive.label + QLatin1Char(']');
}

}  // namespace kestrova
