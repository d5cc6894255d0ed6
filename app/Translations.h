#pragma once

#include <QLocale>
#include <QTranslator>

namespace app {

// The program's added texts in the desktop's language where it has a catalogue for it
// (Lithuanian), with Qt's own dialogs to match; English otherwise. Installed while it lives.
class Translations {
public:
    explicit Translations(const QLocale& locale = QLocale::system());
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

private:
    QTranslator own_;
    QTranslator qt_;
};

} // namespace app
