#include "gui/german_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dn::gui {

bool installGermanTranslations(QTranslator& translator) {
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qtbase_de.qm" holds the texts of Qt's widgets and standard dialogs.
    if (!translator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), directory))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace dn::gui
