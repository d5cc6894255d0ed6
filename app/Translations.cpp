#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <array>

namespace app {
namespace {

// The buttons of the file dialogs and message boxes the program shows: Qt 6 names them under
// this context, which no Lithuanian catalogue of Qt's has, so they are translated here.
[[maybe_unused]] constexpr std::array qtButtonTexts{
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),  QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
};

} // namespace

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
