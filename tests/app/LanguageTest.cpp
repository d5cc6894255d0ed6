// The added texts follow the desktop's language; the window as designed never does.
#include "app/Translations.h"
#include "editor/qt/FileActions.h"
#include "tests/support/Form1Fixture.h"

#include <QGroupBox>
#include <QTimer>

namespace {

// The window opened afresh on a Lithuanian desktop, numbers as Lithuania writes them.
class Language : public testing_support::Form1Fixture {
protected:
    Language() {
        QLocale::setDefault(lithuanian);
        open(nullptr);
    }
    ~Language() override { QLocale::setDefault(QLocale::system()); }
    const QLocale lithuanian{QLocale::Lithuanian, QLocale::Lithuania};
    app::Translations translations{lithuanian};
};

TEST_F(Language, ALithuanianDesktopGetsLithuanianBesideTheWindowsOwnTexts) {
    // THEN the menu, the display's description and the fit line are in Lithuanian
    QTest::mouseClick(&button(1), Qt::LeftButton);
    menuItem(QString::fromUtf8("Rodyti tikslą")).trigger();
    // with the figures in the Lithuanian number format
    EXPECT_TRUE(testing_support::eventually(
        [&] { return oscil().captionText().startsWith("RMS paklaida 22,8 %"); }));
    EXPECT_TRUE(testing_support::eventually(
        [&] { return description().startsWith(QString::fromUtf8("Harmonikos 1: 100, 3: 30")); }));
    // AND the window as designed is as it always is
    EXPECT_EQ(
        std::tuple(window->windowTitle(), child<QGroupBox>("Frame1").title(), button(1).text(),
                   button(1).toolTip()),
        std::tuple("Tonvirta", "Ekvalaizeriukas", "SQUARE", "Meandras- tik lygines harmonikos"));
}

// Qt's own texts in what the program shows: a box's context menu, the file dialog's buttons.
TEST_F(Language, QtsOwnTextsInTheWindowAreLithuanianToo) {
    std::unique_ptr<QMenu> menu(box(0).createStandardContextMenu());
    QStringList seen;
    for (const QAction* item : menu->actions()) {
        seen << item->text();
    }
    QTimer::singleShot(0, [&seen] {
        QWidget* dialog = QApplication::activeModalWidget();
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
            seen << button->text();
        }
        dialog->close();
    });
    app::FileActions::standardDialogs().chooseFile(&*window, "", "/tmp/x.png", "*.png", nullptr);
    EXPECT_EQ(seen.join('|'), QString::fromUtf8("&Atšaukti\tVald+Z|A&tstatyti\tVald+Y||Iški&rpti\t"
                                                "Vald+X|&Kopijuoti\tVald+C|Į&dėti\tVald+V|"
                                                "Pašalinti||Pažymėti viską\tVald+A|Į&rašyti|"
                                                "Atsisakyti"));
}

} // namespace
