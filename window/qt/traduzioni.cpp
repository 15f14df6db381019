#include "window/qt/traduzioni.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace mr {

bool TraduciQt(QTranslator& traduttore) {
  if (!traduttore.load(QLocale(QLocale::Italian, QLocale::Italy), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(&traduttore);
}

}  // namespace mr
