// What a screen reader hears of the window, through Qt's accessibility as it reaches AT-SPI.
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QContextMenuEvent>
#include <QLabel>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// Every accessibility event raised, as a screen reader's bridge gets it; a plain function.
std::vector<std::pair<QAccessible::Event, QObject*>> heard;

class Accessibility : public testing_support::Form1Fixture {
protected:
    // As when a screen reader runs; the offscreen platform has no bridge to switch it on.
    Accessibility() { listen(true); }
    ~Accessibility() override { listen(false); }
    static void listen(bool on) {
        const QAccessible::UpdateHandler hear = [](QAccessibleEvent* event) {
            heard.emplace_back(event->type(), event->object());
        };
        QAccessible::installUpdateHandler(on ? hear : nullptr);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on);
        heard.clear();
    }
    static QAccessibleInterface& of(QObject& object) {
        return *QAccessible::queryAccessibleInterface(&object);
    }
    static int heardOf(QAccessible::Event type, QObject& object) {
        return int(std::count(heard.begin(), heard.end(), std::pair(type, &object)));
    }
};

TEST_F(Accessibility, TheWindowIsAFrameAndEachSliderSaysTheAmplitudeItsBoxShows) {
    EXPECT_EQ(std::pair(of(*window).role(), of(*window).text(QAccessible::Name)),
              std::pair(QAccessible::Window, QString("Tonvirta")));
    // GIVEN amplitudes set by box, by the slider's keys and by a screen reader itself
    typeOver(0, "100");
    qt_user::pasteOver(box(2), "-37");
    slider(4).setFocus();
    QTest::keyClick(&slider(4), Qt::Key_Up); // up is a larger amplitude
    of(slider(6)).valueInterface()->setCurrentValue(150);
    const std::tuple<int, int, QString> cases[] = {
        {0, 100, "100"}, {2, -37, "-37"}, {4, 1, "1"}, {6, 150, "150"}, {8, 0, "0"}};
    for (const auto& [i, amplitude, boxText] : cases) {
        QAccessibleInterface& bar = of(slider(i));
        QAccessibleValueInterface& value = *bar.valueInterface();
        // THEN each says its amplitude, as its box does, within -200 to 200, and tells a change
        EXPECT_EQ(std::tuple(box(i).text(), value.currentValue().toInt(),
                             bar.text(QAccessible::Value), value.minimumValue().toInt(),
                             value.maximumValue().toInt(),
                             heardOf(QAccessible::ValueChanged, slider(i)) > 0),
                  std::tuple(boxText, amplitude, boxText, -200, 200, amplitude != 0))
            << i;
        EXPECT_EQ(bar.text(QAccessible::Name), QString("Harmonic %1 amplitude").arg(i + 1));
    }
}

TEST_F(Accessibility, TheDisplaySaysWhatItShowsWhenThatChangesAndNotOtherwise) {
    EXPECT_EQ(description(), "Every harmonic is 0. Shift+F10 or the Menu key opens the "
                             "display's menu");
    // GIVEN the SQUARE target, with both views on, and a series pasted
    QTest::mouseClick(&button(1), Qt::LeftButton);
    onDisplay("ht");
    QApplication::clipboard()->setText("100 0 30 0 14 0 7 0 3 0 1");
    menuItem("Paste amplitudes").trigger();
    // THEN the description reads each of them, with the fit line as the display writes it
    const QString expected = "Harmonics 1: 100, 3: 30, 5: 14, 7: 7, 9: 3, 11: 1. Harmonics view "
                             "on. Target view on: SQUARE. RMS error %1 %, overshoot %2 %. "
                             "Shift+F10 or the Menu key opens the display's menu";
    ASSERT_TRUE(testing_support::eventually([&] { return description().contains("RMS"); }));
    const QStringList figures = oscil().captionText().split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(figures.size(), 7) << oscil().captionText().toStdString();
    EXPECT_EQ(description(), expected.arg(figures[2], figures[5]));
    // AND nothing is raised again while nothing changes; one change is told once
    heard.clear();
    QTest::qWait(350);
    EXPECT_EQ(heardOf(QAccessible::DescriptionChanged, oscil()), 0);
    typeOver(16, "5");
    EXPECT_TRUE(testing_support::eventually([&] { return description().contains("17: 5"); }));
    QTest::qWait(250);
    EXPECT_EQ(heardOf(QAccessible::DescriptionChanged, oscil()), 1);
}

TEST_F(Accessibility, ANoteIsSpokenAndShiftF10OpensTheMenuFromTheKeyboard) {
    // GIVEN a refused paste, and then another
    for (const QString clipboard : {"abc", "x"}) {
        heard.clear();
        QApplication::clipboard()->setText(clipboard);
        menuItem("Paste amplitudes").trigger();
        // THEN the note appears as a notification, with its words, each time
        auto& note = child<QLabel>("note");
        EXPECT_EQ(std::pair(of(note).role(), of(note).text(QAccessible::Name)),
                  std::pair(QAccessible::Notification, note.text()));
        EXPECT_TRUE(note.text().contains('"' + clipboard + '"'));
        EXPECT_EQ(heardOf(QAccessible::ObjectShow, note), 1) << clipboard.toStdString();
    }
    // WHEN the display is right-clicked, or has the focus and Shift+F10 is pressed, THEN the menu
    // opens; its items are reached and chosen with the arrow keys
    auto& menu = child<QMenu>("displayMenu");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(9, 9),
                            oscil().mapToGlobal(QPoint(9, 9)));
    QApplication::sendEvent(&oscil(), &click);
    ASSERT_TRUE(testing_support::eventually([&] { return menu.isVisible(); }));
    menu.close();
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(testing_support::eventually([&] { return menu.isVisible(); }));
    for (int down = 0; down < 30 && menu.activeAction() != &menuItem("Show harmonics"); ++down) {
        QTest::keyClick(&menu, Qt::Key_Down);
    }
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_TRUE(menuItem("Show harmonics").isChecked());
    EXPECT_FALSE(menu.isVisible());
}

} // namespace
