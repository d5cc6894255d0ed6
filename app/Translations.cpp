#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace app {

Translations::Translations(const QLocale& locale) {
    // Compiled into the program, so it is found wherever the program is.
    if (!own_.load(locale, QStringLiteral("tonvirta"), QStringLiteral("_"),
                   QStringLiteral(":/i18n"))) {
        return;
    }
    QCoreApplication::installTranslator(&own_);
    if (qt_.load(QLocale(own_.language()), QStringLiteral("qt"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_);
    }
}

Translations::~Translations() {
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&own_);
}

} // namespace app
