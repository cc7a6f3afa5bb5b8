#include "findings_panel.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include "file_preview.h"
#include "run/finding_writer.h"

namespace kestrova {
namespace {

enum Column { kTagColumn, kCodeColumn, kSerialColumn, kSentenceColumn, kColumnCount };
enum Role { kLogPositionRole = Qt::UserRole + 1, kFilePathRole, kCheckSealRole };

// The filter's choices: every finding, then one per tag.
constexpr const char16_t* kTagChoices[] = {u"すべて", u"[要修正]", u"[要確認]",
                                           u"[システムエラー]"};

QStandardItem* Item(const std::u16string& text) {
  auto* item = new QStandardItem(QString::fromStdU16String(text));
  item->setEditable(false);
  return item;
}

}  // namespace

FindingsPanel::FindingsPanel(QWidget* parent) : QWidget(parent) {
  QImageReader::setAllocationLimit(kThumbnailAllocationLimitMb);
  m_previews.setMaxThreadCount(1);

  m_tagFilter = new QComboBox(this);
  m_tagFilter->setObjectName(QStringLiteral("findingTagFilter"));
  for (const char16_t* choice : kTagChoices) {
    m_tagFilter->addItem(QString::fromUtf16(choice));
  }

  m_model = new QStandardItemModel(0, kColumnCount, this);
  m_model->setHorizontalHeaderLabels({QStringLiteral("区分"), QStringLiteral("コード"),
                                      QStringLiteral("シリアル番号"), QStringLiteral("内容")});
  m_filter = new QSortFilterProxyModel(this);
  m_filter->setSourceModel(m_model);
  m_filter->setFilterKeyColumn(kTagColumn);

  m_table = new QTableView(this);
  m_table->setObjectName(QStringLiteral("findings"));
  m_table->setModel(m_filter);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setWordWrap(false);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_table->horizontalHeader()->setSectionResizeMode(kSentenceColumn, QHeaderView::Stretch);

  m_thumbnail = new QLabel(this);
  m_thumbnail->setObjectName(QStringLiteral("findingThumbnail"));
  m_thumbnail->setFixedSize(kThumbnailBox);
  m_thumbnail->setAlignment(Qt::AlignCenter);
  m_thumbnail->setFrameShape(QFrame::StyledPanel);
  m_answers = new QLabel(this);
  m_answers->setObjectName(QStringLiteral("findingAnswers"));
  m_answers->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_answers->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_showFolder = new QPushButton(QStringLiteral("フォルダを開く"), this);
  m_showFolder->setObjectName(QStringLiteral("findingShowFolder"));
  m_showFolder->setAutoDefault(false);
  m_showFolder->setEnabled(false);

  auto* list = new QVBoxLayout;
  list->addWidget(m_tagFilter, 0, Qt::AlignLeft);
  list->addWidget(m_table, 1);
  auto* file = new QVBoxLayout;
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
}

FindingsPanel::~FindingsPanel() {
  m_previews.clear();
  m_previews.waitForDone();
}

void FindingsPanel::AddFindings(const std::vector<ShownFinding>& findings) {
  for (const ShownFinding& shown : findings) {
    const Finding& finding = shown.finding;
    QList<QStandardItem*> row{Item(finding.tag), Item(ErrorCodeText(finding.code)),
                              Item(finding.serialNumber.value_or(u"")), Item(finding.sentence)};
    row[kTagColumn]->setData(static_cast<int>(shown.logPosition), kLogPositionRole);
    row[kTagColumn]->setData(QString::fromStdU16String(finding.filePath), kFilePathRole);
    row[kTagColumn]->setData(shown.checkSeal, kCheckSealRole);
    m_model->appendRow(row);
  }
}

void FindingsPanel::Clear() {
  m_model->removeRows(0, m_model->rowCount());
  OnRowSelected();
}

void FindingsPanel::OnTagFilterChanged(int index) {
  // A finding without a tag is seen only under "every finding".
  m_filter->setFilterRegularExpression(
      index <= 0 ? QRegularExpression()
                 : QRegularExpression(QStringLiteral("^") +
                                      QRegularExpression::escape(m_tagFilter->itemText(index)) +
                                      QStringLiteral("$")));
}

void FindingsPanel::OnRowSelected() {
  ++m_request;
  m_thumbnail->clear();
  m_answers->clear();
  const QModelIndexList rows = m_table->selectionModel()->selectedRows(kTagColumn);
  m_filePath = rows.isEmpty() ? QString() : rows.front().data(kFilePathRole).toString();
  m_showFolder->setEnabled(!m_filePath.isEmpty());
  if (rows.isEmpty()) {
    return;
  }
  emit logPositionSelected(rows.front().data(kLogPositionRole).toInt());
  if (m_filePath.isEmpty()) {
    return;
  }
  m_answers->setText(QStringLiteral("読み込み中…"));
  const int request = m_request;
  const QString path = m_filePath;
  const bool checkSeal = rows.front().data(kCheckSealRole).toBool();
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
  if (!m_filePath.isEmpty()) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_filePath).absolutePath()));
  }
}

}  // namespace kestrova
