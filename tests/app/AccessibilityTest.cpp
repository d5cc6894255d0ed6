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
    for (const auto& [i, amplitude] : {std::pair{0, 100}, {2, -37}, {4, 1}, {6, 150}, {8, 0}}) {
        QAccessibleInterface& bar = of(slider(i));
        QAccessibleValueInterface& value = *bar.valueInterface();
        // THEN each says its amplitude as its box does, within -200 to 200, and tells a change
        EXPECT_EQ(std::tuple(box(i).text(), bar.text(QAccessible::Value), value.currentValue(),
                             value.minimumValue(), value.maximumValue(),
                             heardOf(QAccessible::ValueChanged, slider(i)) > 0),
                  std::tuple(QString::number(amplitude), QString::number(amplitude), amplitude,
                             -200, 200, amplitude != 0));
    }
}

TEST_F(Accessibility, TheDisplaySaysWhatItShowsWhenThatChangesAndNotOtherwise) {
    const QString menu = "Shift+F10 or the Menu key opens the display's menu";
    EXPECT_EQ(description(), "Every harmonic is 0. " + menu);
    // GIVEN the SQUARE target, with both views on, and a series pasted
    QTest::mouseClick(&button(1), Qt::LeftButton);
    onDisplay("ht");
    QApplication::clipboard()->setText("100 0 30 0 14 0 7 0 3 0 1");
    menuItem("Paste amplitudes").trigger();
    // THEN the description reads each of them, and the fit line as the display writes it
    EXPECT_TRUE(testing_support::eventually([&] {
        return description() == "Harmonics 1: 100, 3: 30, 5: 14, 7: 7, 9: 3, 11: 1. Harmonics "
                                "view on. Target view on: SQUARE. RMS error " +
                                    QLocale().toString(22.8, 'f', 1) + " %, overshoot +" +
                                    QLocale().toString(1.1, 'f', 1) + " %. " + menu;
    })) << description().toStdString();
    // AND a change is told once, and nothing again while nothing changes
    heard.clear();
    typeOver(16, "5");
    EXPECT_TRUE(testing_support::eventually([&] { return description().contains("17: 5"); }));
    QTest::qWait(350);
    EXPECT_EQ(heardOf(QAccessible::DescriptionChanged, oscil()), 1);
}

TEST_F(Accessibility, ANoteIsSpokenAndTheMenuOpensByShiftF10AsByARightClick) {
    auto& note = child<QLabel>("note");
    for (const QString clipboard : {"abc", "x"}) { // GIVEN a refused paste, and another
        heard.clear();
        QApplication::clipboard()->setText(clipboard);
        menuItem("Paste amplitudes").trigger();
        // THEN the note appears as a notification, with its words, each time
        EXPECT_EQ(std::tuple(of(note).role(), of(note).text(QAccessible::Name),
                             heardOf(QAccessible::ObjectShow, note)),
                  std::tuple(QAccessible::Notification, note.text(), 1));
        EXPECT_TRUE(note.text().contains('"' + clipboard + '"'));
    }
    auto& menu = child<QMenu>("displayMenu");
    QContextMenuEvent click(QContextMenuEvent::Mouse, {9, 9}, oscil().mapToGlobal(QPoint(9, 9)));
    QApplication::sendEvent(&oscil(), &click);
    ASSERT_TRUE(testing_support::eventually([&] { return menu.isVisible(); }));
    menu.close();
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(testing_support::eventually([&] { return menu.isVisible(); }));
    // AND its items are reached and chosen with the arrow keys
    for (int down = 0; down < 30 && menu.activeAction() != &menuItem("Show harmonics"); ++down) {
        QTest::keyClick(&menu, Qt::Key_Down);
    }
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_TRUE(menuItem("Show harmonics").isChecked());
}

} // namespace
