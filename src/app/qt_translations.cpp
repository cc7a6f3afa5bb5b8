#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kestrova {

bool InstallJapaneseTranslations(QCoreApplication& app) {
  // Every text of the program is Japanese, whatever the user's locale: Qt's must match them.
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  auto* translator = new QTranslator(&app);
  // "qt" is the catalogue that loads those of all the Qt modules installed.
  if (!translator->load(japanese, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace kestrova
