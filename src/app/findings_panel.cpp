#include "findings_panel.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "file_preview.h"
#include "findings_model.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "run/finding_register.h"
#include "run/finding_writer.h"

namespace kestrova {
namespace {

// The filter's choices: every finding, then one per tag.
QString Tag(FindingTag tag) {
  const std::u16string_view text = TagText(tag);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kTagChoices[] = {QStringLiteral("すべて"), Tag(FindingTag::MustFix),
                               Tag(FindingTag::MustConfirm), Tag(FindingTag::SystemError)};

// The width of the widest text of a column, with the cell's margins.
int ColumnWidth(const QFontMetrics& metrics, std::initializer_list<QString> texts) {
  int width = 0;
  for (const QString& text : texts) width = std::max(width, metrics.horizontalAdvance(text));
  return width + metrics.averageCharWidth() + 6;
}

// The folder of the file as a URL, from the bytes of its name.
QUrl FolderUrl(const std::u16string& filePath) {
  const std::string folder = ToFsPath(filePath).parent_path().string();
  return QUrl::fromEncoded(QByteArrayLiteral("file://") +
                           QByteArray::fromStdString(folder).toPercentEncoding("/"));
}

}  // namespace

FindingsPanel::FindingsPanel(QWidget* parent) : QWidget(parent) {
  QImageReader::setAllocationLimit(kThumbnailAllocationLimitMb);
  m_previews.setMaxThreadCount(1);

  m_tagFilter = new QComboBox(this);
  m_tagFilter->setObjectName(QStringLiteral("findingTagFilter"));
  for (const QString& choice : kTagChoices) {
    m_tagFilter->addItem(choice);
  }
  auto* filterLabel = new QLabel(QStringLiteral("区分"), this);
  filterLabel->setBuddy(m_tagFilter);
  m_count = new QLabel(this);
  m_count->setObjectName(QStringLiteral("findingCount"));

  m_model = new FindingsModel(this);
  m_filter = new QSortFilterProxyModel(this);
  m_filter->setSourceModel(m_model);
  m_filter->setFilterRole(FindingsModel::kTagRole);
  m_filter->setFilterKeyColumn(FindingsModel::kTagColumn);

  // Fixed row heights and column widths: the view never measures the rows, so that thousands
  // of findings list as fast as a few.
  m_table = new QTableView(this);
  m_table->setObjectName(QStringLiteral("findings"));
  m_table->setModel(m_filter);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setWordWrap(false);
  m_table->setShowGrid(false);
  m_table->setAlternatingRowColors(true);
  m_table->setTabKeyNavigation(false);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
  QHeaderView* header = m_table->horizontalHeader();
  header->setHighlightSections(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  const QFontMetrics metrics = m_table->fontMetrics();
  header->resizeSection(FindingsModel::kTagColumn,
                        ColumnWidth(metrics, {kTagChoices[1], kTagChoices[2]}));
  header->resizeSection(FindingsModel::kCodeColumn,
                        ColumnWidth(metrics, {QString::fromStdU16String(ErrorCodeText(0))}));
  header->resizeSection(FindingsModel::kSerialColumn,
                        ColumnWidth(metrics, {QStringLiteral("シリアル番号")}));
  header->setStretchLastSection(true);

  m_thumbnail = new QLabel(this);
  m_thumbnail->setObjectName(QStringLiteral("findingThumbnail"));
  m_thumbnail->setFixedSize(kThumbnailBox + QSize(4, 4));
  m_thumbnail->setAlignment(Qt::AlignCenter);
  m_thumbnail->setFrameShape(QFrame::StyledPanel);
  m_thumbnail->setFrameShadow(QFrame::Sunken);
  m_fileName = new QLabel(this);
  m_fileName->setObjectName(QStringLiteral("findingFileName"));
  QFont bold = m_fileName->font();
  bold.setBold(true);
  m_fileName->setFont(bold);
  m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_answers = new QLabel(this);
  m_answers->setObjectName(QStringLiteral("findingAnswers"));
  m_answers->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_answers->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_showFolder = new QPushButton(QStringLiteral("フォルダを開く"), this);
  m_showFolder->setObjectName(QStringLiteral("findingShowFolder"));
  m_showFolder->setAutoDefault(false);
  m_showFolder->setEnabled(false);

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(m_tagFilter);
  filterRow->addWidget(m_count);
  filterRow->addStretch(1);
  auto* list = new QVBoxLayout;
  list->setSpacing(2);
  list->addLayout(filterRow);
  list->addWidget(m_table, 1);
  auto* file = new QVBoxLayout;
  file->setSpacing(2);
  file->addWidget(m_fileName);
  file->addWidget(m_answers, 1);
  file->addWidget(m_showFolder, 0, Qt::AlignLeft);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(list, 1);
  layout->addWidget(m_thumbnail, 0, Qt::AlignTop);
  layout->addLayout(file);

  setTabOrder(m_tagFilter, m_table);
  setTabOrder(m_table, m_showFolder);

  connect(m_tagFilter, &QComboBox::currentIndexChanged, this, &FindingsPanel::OnTagFilterChanged);
  connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &FindingsPanel::OnRowSelected);
  connect(m_showFolder, &QPushButton::clicked, this, &FindingsPanel::OnShowFolder);
  ShowCount();
}

FindingsPanel::~FindingsPanel() {
  m_previews.clear();
  m_previews.waitForDone();
}

void FindingsPanel::AddFindings(const std::vector<ShownFinding>& findings) {
  m_model->Append(findings);
  ShowCount();
}

void FindingsPanel::Clear() {
  m_model->Clear();
  OnRowSelected();
  ShowCount();
}

void FindingsPanel::ShowCount() {
  m_count->setText(QString::number(m_filter->rowCount()) + QStringLiteral("件"));
}

void FindingsPanel::OnTagFilterChanged(int index) {
  // A finding without a tag is seen only under "every finding".
  m_filter->setFilterRegularExpression(
      index <= 0 ? QRegularExpression()
                 : QRegularExpression(QStringLiteral("^") +
                                      QRegularExpression::escape(m_tagFilter->itemText(index)) +
                                      QStringLiteral("$")));
  ShowCount();
}

void FindingsPanel::OnRowSelected() {
  ++m_request;
  m_previews.clear();
  m_thumbnail->clear();
  m_fileName->clear();
  m_answers->clear();
  const QModelIndexList rows = m_table->selectionModel()->selectedRows();
  const FindingsModel::Row* row =
      rows.isEmpty() ? nullptr : &m_model->At(m_filter->mapToSource(rows.front()).row());
  m_filePath = row ? row->filePath : std::u16string();
  m_showFolder->setEnabled(!m_filePath.empty());
  if (row == nullptr) {
    return;
  }
  emit logPositionSelected(row->logPosition);
  if (m_filePath.empty()) {
    return;
  }
  m_fileName->setText(
      QString::fromStdU16String(ShownText(FromFsPath(ToFsPath(m_filePath).filename()))));
  m_answers->setText(QStringLiteral("読み込み中…"));
  const int request = m_request;
  const std::u16string path = m_filePath;
  const bool checkSeal = row->checkSeal;
  m_previews.start([this, request, path, checkSeal] {
    FilePreview preview = PreviewFile(path, checkSeal);
    QMetaObject::invokeMethod(
        this, [this, request, preview] { ShowPreview(request, preview); }, Qt::QueuedConnection);
  });
}

void FindingsPanel::ShowPreview(int request, const FilePreview& preview) {
  if (request != m_request) {
    return;
  }
  if (preview.thumbnail.isNull()) {
    m_thumbnail->setText(QStringLiteral("表示できません"));
  } else {
    m_thumbnail->setPixmap(QPixmap::fromImage(preview.thumbnail));
  }
  m_answers->setText(preview.answers);
}

void FindingsPanel::OnShowFolder() {
  if (!m_filePath.empty()) {
    QDesktopServices::openUrl(FolderUrl(m_filePath));
  }
}

}  // namespace kestrova
