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

std::vector<DriveEntry> MountedDrives() {
  std::vector<DriveEntry> drives;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) {
      continue;
    }
    const QString root = QDir::toNativeSeparators(volume.rootPath());
    drives.push_back({root, volume.displayName(),
                      ClassifyVolume(volume.device(), volume.fileSystemType(), root)});
  }
  OrderDrives(drives);
  return drives;
}

QString DriveItemText(const DriveEntry& drive) {
  return drive.root + QStringLiteral("  [") + drive.displayName + QLatin1Char(']');
}

}  // namespace kestrova
