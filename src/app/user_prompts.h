// The questions the desktop program puts to the user in modal dialogs. Each goes through a
// replaceable function, so that tests (and the screenshot tool) can answer them without windows.
#pragma once

#include <QString>
#include <functional>

#include "run/run_host.h"

class QPrinter;
class QWidget;

namespace kestrova {

struct UserPrompts {
  // A message box with the caption kMessageCaption, modal to owner.
  std::function<MessageAnswer(QWidget* owner, const QString& text, MessageIcon icon,
                              MessageButtons buttons)>
      messageBox;
  // A folder browser titled with the prompt, preselecting preselect when it is not empty; the
  // chosen folder, or an empty text when the user cancelled.
  std::function<QString(QWidget* owner, const QString& prompt, const QString& preselect)>
      browseFolder;
  // A save file dialog starting at initialPath; the chosen path, or empty when cancelled.
  std::function<QString(QWidget* owner, const QString& title, const QString& initialPath,
                        const QString& filter)>
      chooseSaveFile;
  // The print dialog for printer; true when the user chose to print.
  std::function<bool(QWidget* owner, QPrinter& printer)> confirmPrint;
};

// The process-wide prompts; initially the real dialogs.
UserPrompts& Prompts();

// The message box of Prompts(), for texts in the engine's UTF-16.
MessageAnswer ShowMessage(QWidget* owner, const std::u16string& text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok);

}  // namespace kestrova
