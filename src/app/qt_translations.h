// Qt's own texts in Japanese: the standard buttons, the file and print dialogs, context menus.
#pragma once

class QCoreApplication;

namespace kestrova {

// Makes Japanese the program's locale and installs Qt's Japanese translations from the folder
// Qt was built with; false when they are not installed (Qt's texts then stay English).
bool InstallJapaneseTranslations(QCoreApplication& app);

}  // namespace kestrova
