// The folder browser of the media selection and of the next medium of a set: folders only, no
// new folder, the prompt with its line breaks above the folders and on one line in the title.
#pragma once

#include <QDialog>
#include <QString>

class QFileDialog;
class QLabel;

namespace kestrova {

class CFolderBrowser : public QDialog {
  Q_OBJECT

 public:
  // Opens at preselect when it is not empty, otherwise at the user's desktop.
  CFolderBrowser(QWidget* owner, const QString& prompt, const QString& preselect);

  // The folder chosen; empty unless the browser was accepted.
  QString ChosenFolder() const;

  QFileDialog* Folders() const { return m_folders; }
  QLabel* Prompt() const { return m_prompt; }

  // The folder a browser without a preselection opens at: the desktop, or the home folder
  // where the user has no desktop folder.
  static QString StartFolder();

 private:
  QLabel* m_prompt;
  QFileDialog* m_folders;
};

}  // namespace kestrova
