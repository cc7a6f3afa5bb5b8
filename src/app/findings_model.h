// The findings of the log as a table model: one row per finding (tag, code, serial number,
// sentence), in log order. Rows keep only what the panel shows and needs, so that a run of many
// thousands of findings stays small and fast to list.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <string>
#include <vector>

#include "display_changes.h"

namespace kestrova {

class FindingsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kTagColumn, kCodeColumn, kSerialColumn, kSentenceColumn, kColumnCount };
  enum Role {
    kTagRole = Qt::UserRole + 1,  // the tag text, empty for none
    kLogPositionRole,             // where the finding's first line starts in the log
  };

  struct Row {
    QString tag;
    QString code;
    QString serialNumber;
    QString sentence;
    QString text;             // the lines as the log shows them, for the tooltip
    std::u16string filePath;  // the engine's path; empty when the finding names no file
    int logPosition = 0;
    bool checkSeal = false;
  };

  explicit FindingsModel(QObject* parent);

  void Append(const std::vector<ShownFinding>& findings);
  void Clear();
  const Row& At(int row) const { return m_rows[static_cast<size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<Row> m_rows;
};

}  // namespace kestrova
