#include "log_view.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace kestrova {
namespace {

constexpr int kFlushIntervalMs = 50;

}  // namespace

ResultLogView::ResultLogView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  m_flushTimer.setSingleShot(true);
  m_flushTimer.setInterval(kFlushIntervalMs);
  connect(&m_flushTimer, &QTimer::timeout, this, &ResultLogView::Flush);
}

void ResultLogView::AppendText(const QString& text) {
  m_pending += text;
  if (!m_flushTimer.isActive()) {
    m_flushTimer.start();
  }
}

void ResultLogView::Flush() {
  m_flushTimer.stop();
  if (m_pending.isEmpty()) {
    return;
  }
  QScrollBar* bar = verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(m_pending);
  m_pending.clear();
  if (atEnd) {
    bar->setValue(bar->maximum());
  }
}

void ResultLogView::Clear() {
  m_flushTimer.stop();
  m_pending.clear();
  clear();
}

QString ResultLogView::Text() const {
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text + m_pending;
}

}  // namespace kestrova
