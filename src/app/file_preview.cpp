#include "file_preview.h"

#include <QFile>
#include <QImageReader>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <system_error>

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

QImage Thumbnail(const std::filesystem::path& path) {
  // Opened by its bytes, so that a name that is not UTF-8 is still found.
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  QFile file;
  if (stream == nullptr || !file.open(stream, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (stream != nullptr) std::fclose(stream);
    return {};
  }
  QImageReader reader(&file);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) {
    return {};
  }
  reader.setScaledSize(size.scaled(kThumbnailBox, Qt::KeepAspectRatio).expandedTo({1, 1}));
  const QImage image = reader.read();
  // The reader scales before it turns the picture upright: a turned picture is fitted again.
  if (image.width() > kThumbnailBox.width() || image.height() > kThumbnailBox.height()) {
    return image.scaled(kThumbnailBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return image;
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

FilePreview PreviewFile(const std::u16string& path, bool checkSeal) {
  FilePreview preview;
  const std::filesystem::path file = ToFsPath(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    preview.answers = QStringLiteral("ファイルがありません");
    return preview;
  }
  preview.thumbnail = Thumbnail(file);
  const ImageInspection inspection = InspectImageFile(path);
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
  if (const CheckHashValueFunction function = g_pfnCheckHashValue; checkSeal && function) {
    const bool altered = CountsAsAltered(CallCheckHashValue(function, file));
    answers << QStringLiteral("改ざんチェック：") +
                   (altered ? QStringLiteral("改ざんの可能性あり") : QStringLiteral("改ざんなし"));
  }
  preview.answers = answers.join(QLatin1Char('\n'));
  return preview;
}

}  // namespace kestrova
