#include "file_preview.h"

#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

#include "image/check_hash_module.h"
#include "image/image_inspection.h"
#include "platform/file_access.h"

namespace kestrova {
namespace {

QString Text(const std::u16string& text) {
  return text.empty() ? QStringLiteral("なし") : QString::fromStdU16String(text);
}

QString Size(int width, int height) {
  return QString::number(width) + QStringLiteral(" × ") + QString::number(height);
}

QImage Thumbnail(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) {
    return {};
  }
  reader.setScaledSize(size.scaled(kThumbnailBox, Qt::KeepAspectRatio).expandedTo({1, 1}));
  return reader.read();
}

void AddExifAnswers(const ExifInfo& exif, QStringList& answers) {
  if (!exif.found) {
    answers << QStringLiteral("EXIF情報：なし");
  } else {
    answers << QStringLiteral("EXIFバージョン：") + Text(exif.exifVersion)
            << QStringLiteral("EXIF画素数：") + Text(exif.pixelXDimension) + QStringLiteral(" × ") +
                   Text(exif.pixelYDimension);
  }
  answers << QStringLiteral("フレームサイズ：") + (exif.frameWidth == 0
                                                       ? QStringLiteral("なし")
                                                       : Size(exif.frameWidth, exif.frameHeight))
          << QStringLiteral("GNSS情報：") +
                 (exif.hasGnss ? QStringLiteral("あり") : QStringLiteral("なし"));
}

void AddTiffAnswers(const ImageInspection& inspection, QStringList& answers) {
  if (!inspection.tiffReadable) {
    answers << QStringLiteral("TIFFとして読めません");
    return;
  }
  for (const DpiInfo& record : inspection.tiffRecords) {
    answers << QStringLiteral("解像度：") + QString::number(record.xResolution) +
                   QStringLiteral(" × ") + QString::number(record.yResolution) +
                   QStringLiteral("　圧縮形式：") + QString::number(record.compression);
  }
}

}  // namespace

FilePreview PreviewFile(const QString& path, bool checkSeal) {
  FilePreview preview;
  if (!QFileInfo(path).isFile()) {
    preview.answers = QStringLiteral("ファイルがありません");
    return preview;
  }
  preview.thumbnail = Thumbnail(path);
  const ImageInspection inspection = InspectImageFile(path.toStdU16String());
  QStringList answers;
  switch (inspection.kind) {
    case ImageKind::Jpeg:
      AddExifAnswers(inspection.exif, answers);
      break;
    case ImageKind::Tiff:
      AddTiffAnswers(inspection, answers);
      break;
    case ImageKind::Other:
      answers << QStringLiteral("JPEGでもTIFFでもありません");
      break;
  }
  if (checkSeal && g_pfnCheckHashValue) {
    const bool altered =
        CountsAsAltered(g_pfnCheckHashValue(ToFsPath(path.toStdU16String()).c_str()));
    answers << QStringLiteral("改ざんチェック：") +
                   (altered ? QStringLiteral("改ざんの可能性あり") : QStringLiteral("改ざんなし"));
  }
  preview.answers = answers.join(QLatin1Char('\n'));
  return preview;
}

}  // namespace kestrova
