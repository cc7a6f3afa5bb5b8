// The findings panel below the result log: one row per finding of the run (tag, code, serial
// number, sentence), a filter by tag, and for the selected finding about a photo or drawing file a
// thumbnail beside what the image reader found in the file, and a button that shows the file's
// folder in the file manager. Selecting a row asks for the log to be scrolled to the finding.
#pragma once

#include <QThreadPool>
#include <QWidget>
#include <string>
#include <vector>

#include "display_changes.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace kestrova {

class FindingsModel;
struct FilePreview;

class FindingsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit FindingsPanel(QWidget* parent);
  ~FindingsPanel() override;

  void AddFindings(const std::vector<ShownFinding>& findings);
  void Clear();

  QComboBox* TagFilter() const { return m_tagFilter; }
  QTableView* Table() const { return m_table; }
  QLabel* Thumbnail() const { return m_thumbnail; }
  QLabel* FileName() const { return m_fileName; }
  QLabel* Answers() const { return m_answers; }
  QPushButton* ShowFolderButton() const { return m_showFolder; }

 signals:
  // The document position in the log where the selected finding's line starts.
  void logPositionSelected(int position);

 private:
  void OnTagFilterChanged(int index);
  void OnRowSelected();
  void ShowCount();
  void ShowPreview(int request, const FilePreview& preview);
  void OnShowFolder();

  QComboBox* m_tagFilter = nullptr;
  QLabel* m_count = nullptr;
  QTableView* m_table = nullptr;
  FindingsModel* m_model = nullptr;
  QSortFilterProxyModel* m_filter = nullptr;
  QLabel* m_thumbnail = nullptr;
  QLabel* m_fileName = nullptr;
  QLabel* m_answers = nullptr;
  QPushButton* m_showFolder = nullptr;
  std::u16string m_filePath;  // the selected finding's file; empty when it names none
  // Previews are made one at a time; a request not yet started is dropped by the next one, and
  // an answer to an earlier request than the last is not shown.
  QThreadPool m_previews;
  int m_request = 0;
};

}  // namespace kestrova
