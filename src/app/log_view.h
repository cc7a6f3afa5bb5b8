// The result log control: a read-only plain-text view that only ever grows at its end. Appended
// text is collected and inserted at the end of the document a few times a second, so that only
// the new lines are laid out and painted: the view stays fast with tens of thousands of lines,
// one append per line.
#pragma once

#include <QPlainTextEdit>
#include <QTimer>

namespace kestrova {

class ResultLogView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ResultLogView(QWidget* parent);

  // Appends text at the end; each line feed starts a new line.
  void AppendText(const QString& text);
  // Shows what was appended so far; the view follows the end when it was showing the end.
  void Flush();
  // Empties the log.
  void Clear();

  // The whole text appended, shown or not yet, lines separated by line feeds.
  QString Text() const;

 private:
  QString m_pending;
  QTimer m_flushTimer;
};

}  // namespace kestrova
