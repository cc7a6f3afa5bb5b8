// What the findings panel shows of a photo or drawing file: a thumbnail and what the image reader
// found in it. Made off the window thread; the decoding stays within a bounded size and memory.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <string>

namespace kestrova {

struct FilePreview {
  QImage thumbnail;  // null when the file could not be decoded
  QString answers;   // one line per answer
};

// The box the thumbnail is scaled into, keeping its proportions.
inline constexpr QSize kThumbnailBox{160, 120};

// The image readers decode at most this many megabytes for one image (set by the findings panel
// on the window thread).
inline constexpr int kThumbnailAllocationLimitMb = 64;

// Reads the file at path (absolute, as the engine names files: bytes of a name that are not
// UTF-8 included). With checkSeal the tamper-check library, when loaded, is asked for its
// verdict too.
FilePreview PreviewFile(const std::u16string& path, bool checkSeal);

}  // namespace kestrova
