#include "findings_model.h"

#include <QBrush>
#include <QColor>

#include "run/finding_register.h"
#include "run/finding_writer.h"

namespace kestrova {
namespace {

QString Text(const std::u16string& text) { return QString::fromStdU16String(text); }

// The tag's colour: corrections red, confirmations amber, system errors purple.
QVariant TagColour(const QString& tag) {
  const auto is = [&tag](FindingTag kind) {
    const std::u16string_view text = TagText(kind);
    return tag == QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  };
  if (is(FindingTag::MustFix)) return QBrush(QColor(0xC0, 0x00, 0x00));
  if (is(FindingTag::MustConfirm)) return QBrush(QColor(0xA8, 0x5A, 0x00));
  if (is(FindingTag::SystemError)) return QBrush(QColor(0x70, 0x30, 0xA0));
  return {};
}

}  // namespace

FindingsModel::FindingsModel(QObject* parent) : QAbstractTableModel(parent) {}

void FindingsModel::Append(const std::vector<ShownFinding>& findings) {
  if (findings.empty()) {
    return;
  }
  const int first = static_cast<int>(m_rows.size());
  beginInsertRows({}, first, first + static_cast<int>(findings.size()) - 1);
  for (const ShownFinding& shown : findings) {
    const Finding& finding = shown.finding;
    m_rows.push_back({Text(finding.tag), Text(ErrorCodeText(finding.code)),
                      Text(finding.serialNumber.value_or(u"")), Text(finding.sentence),
                      Text(finding.text).trimmed(), finding.filePath,
                      static_cast<int>(shown.logPosition), shown.checkSeal});
  }
  endInsertRows();
}

void FindingsModel::Clear() {
  beginResetModel();
  m_rows.clear();
  endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  const Row& row = At(index.row());
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case kTagColumn:
          return row.tag;
        case kCodeColumn:
          return row.code;
        case kSerialColumn:
          return row.serialNumber;
        case kSentenceColumn:
          return row.sentence;
      }
      return {};
    case Qt::ToolTipRole:
      return row.text;
    case Qt::ForegroundRole:
      return index.column() == kTagColumn ? TagColour(row.tag) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() == kSerialColumn
                 ? QVariant(static_cast<int>(Qt::AlignRight | Qt::AlignVCenter))
                 : QVariant();
    case kTagRole:
      return row.tag;
    case kLogPositionRole:
      return row.logPosition;
  }
  return {};
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return {};
  }
  switch (section) {
    case kTagColumn:
      return QStringLiteral("区分");
    case kCodeColumn:
      return QStringLiteral("コード");
    case kSerialColumn:
      return QStringLiteral("シリアル番号");
    case kSentenceColumn:
      return QStringLiteral("内容");
  }
  return {};
}

}  // namespace kestrova
