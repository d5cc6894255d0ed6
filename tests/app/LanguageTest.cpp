// The added texts follow the desktop's language; the window as designed never does.
#include "app/Translations.h"
#include "tests/support/Form1Fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>

namespace {

class Language : public testing_support::Form1Fixture {
protected:
    // The window opened afresh on a desktop in the given language and number format.
    void openIn(const char* name) {
        window.reset();
        translations.reset();
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        translations.emplace(QLocale(QString::fromLatin1(name)));
        open(nullptr);
    }
    ~Language() override { QLocale::setDefault(QLocale::system()); }

    std::optional<app::Translations> translations;
};

TEST_F(Language, ALithuanianDesktopGetsLithuanianBesideTheWindowsOwnTexts) {
    openIn("lt_LT");
    // THEN the menu, the display's description and the fit line are in Lithuanian
    QTest::mouseClick(&button(1), Qt::LeftButton);
    menuItem(QString::fromUtf8("Rodyti tikslą")).trigger();
    // with the figures in the Lithuanian number format; the clipboard as always
    ASSERT_TRUE(testing_support::eventually([&] {
        return oscil().captionText().startsWith("RMS paklaida 22,8 %");
    })) << oscil().captionText().toStdString();
    EXPECT_TRUE(testing_support::eventually([&] {
        return description().startsWith(QString::fromUtf8("Harmonikos 1: 100, 3: 30, 5: 14"));
    }));
    menuItem("Kopijuoti amplitudes").trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "100 0 30 0 14 0 7 0 3 0 1 0 0 0 0 0 0");
    // AND the window as designed is as it always is
    EXPECT_EQ(
        std::tuple(window->windowTitle(), child<QGroupBox>("Frame1").title(), button(1).text(),
                   button(1).toolTip()),
        std::tuple("Tonvirta", "Ekvalaizeriukas", "SQUARE", "Meandras- tik lygines harmonikos"));
}

} // namespace
