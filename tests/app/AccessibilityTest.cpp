// What a screen reader hears of the window, through Qt's accessibility as it reaches AT-SPI.
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTextInterface>
#include <QAccessibleValueInterface>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>
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
    EXPECT_EQ(menu.activeAction(), &menuItem("Pitch")) << "opened by a key, on its first item";
    // AND its items are reached and chosen with the arrow keys
    for (int down = 0; down < 30 && menu.activeAction() != &menuItem("Show harmonics"); ++down) {
        QTest::keyClick(&menu, Qt::Key_Down);
    }
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_TRUE(menuItem("Show harmonics").isChecked());
}

// Whatever a screen reader asks of a box's text, at any offset, it is answered at once, from
// the text itself: Qt's own answer never comes for the word at the end.
TEST_F(Accessibility, ABoxAnswersEveryQuestionOfItsTextAtOnceAndANumberIsOneWord) {
    typeOver(0, "100");
    qt_user::pasteOver(box(2), "-2.5");
    for (const int i : {0, 2, 4}) {
        QAccessibleTextInterface& text = *of(box(i)).textInterface();
        const QString whole = box(i).text();
        int start = -1;
        int end = -1;
        for (const auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                    QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
            for (qsizetype offset = -1; offset <= whole.size() + 1; ++offset) {
                for (const auto ask : {&QAccessibleTextInterface::textBeforeOffset,
                                       &QAccessibleTextInterface::textAtOffset,
                                       &QAccessibleTextInterface::textAfterOffset}) {
                    const QString said = (text.*ask)(int(offset), boundary, &start, &end);
                    ASSERT_EQ(said, whole.mid(start, end - start)) << offset;
                }
            }
        }
        // THEN the number is heard whole from its end, with one run of attributes over it all
        EXPECT_EQ(text.textAtOffset(int(whole.size()), QAccessible::WordBoundary, &start, &end),
                  whole);
        text.attributes(1, &start, &end);
        EXPECT_EQ(std::pair(start, end), std::pair(0, int(whole.size())));
    }
}

// Each item says what it is, a toggle its state, a submenu that it opens, and its key as
// desktop toolkits write one; each is found in its menu.
TEST_F(Accessibility, MenuItemsSayWhatTheyAreTheirStateAndTheirKey) {
    using R = QAccessible::Role;
    for (const auto& [item, role, key] :
         {std::tuple{"Wave game", R::CheckBox, ";;g"},
          {"Pitch", R::PopupMenu, ";;"},
          {"220 Hz", R::RadioButton, ";;"},
          {"Show harmonics", R::CheckBox, ";;h"},
          {"Copy amplitudes", R::MenuItem, ";;<Control><Shift>c"}}) {
        QAccessibleInterface& it = of(menuItem(item));
        QAccessibleActionInterface& act = *it.actionInterface();
        EXPECT_EQ(std::tuple(it.role(), it.state().checkable, it.state().checked,
                             act.keyBindingsForAction(act.actionNames().value(0)).join(';'),
                             it.parent()->child(it.parent()->indexOfChild(&it)) == &it),
                  std::tuple(role, role == R::CheckBox || role == R::RadioButton,
                             QString(item) == "220 Hz", QString(key), true))
            << item;
    }
}

// A change the display shows is spoken once it settles, while the display has the focus or
// when a preset made it; a note speaks for its own change.
TEST_F(Accessibility, ASettledChangeIsSpokenOnceWhileTheDisplayHasTheFocusOrAPresetMadeIt) {
    auto& said = child<QWidget>("announcement");
    const auto spoken = [&] {
        return std::pair(heardOf(QAccessible::ObjectShow, said), of(said).text(QAccessible::Name));
    };
    onDisplay("h");
    EXPECT_TRUE(testing_support::eventually([&] { return spoken().first == 1; }, 1000));
    EXPECT_EQ(
        std::pair(of(said).role(), spoken().second),
        std::pair(QAccessible::Notification, QString("Every harmonic is 0. Harmonics view on")));
    heard.clear();
    typeOver(3, "5"); // with the focus in a box: the box speaks for itself
    QTest::mouseClick(&button(2), Qt::LeftButton); // SAW RIGHT, every harmonic negative
    QTest::qWait(1000);
    const auto minus = [](int a) { return QLocale().toString(double(-a)); };
    EXPECT_EQ(spoken(), std::pair(1, QString("Harmonics 1: %1, 2: %2, 3: %3, 4: %4, 5: %5, 6: "
                                             "%6, 7: %7, 8: %7, 9: %7, 10: %7. Harmonics view on")
                                         .arg(minus(77), minus(37), minus(24), minus(17), minus(9),
                                              minus(6), minus(1))));
}

// GIVEN the window WHEN F1 is pressed on the display THEN a window opens whose text, as a
// screen reader reads it, names every item of the display's menu and says what it does.
TEST_F(Accessibility, F1OpensKeysAndHelpNamingEveryItemOfTheMenu) {
    QTest::keyClick(&oscil(), Qt::Key_F1);
    auto* help = window->findChild<QWidget*>("helpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    auto* browser = help->findChild<QTextEdit*>();
    ASSERT_NE(browser, nullptr);
    QAccessibleInterface* text = QAccessible::queryAccessibleInterface(browser);
    const QString read = text->textInterface()->text(0, text->textInterface()->characterCount());
    QList<QAction*> items = child<QMenu>("displayMenu").actions();
    for (QAction* item : items) {
        if (item->isSeparator()) {
            continue;
        }
        // The item's name without what it waits for, as "Play (needs a sound server)".
        const QString name = item->text().section(QStringLiteral(" ("), 0, 0);
        EXPECT_TRUE(read.contains(name)) << name.toStdString();
    }
    EXPECT_NO_THROW(menuItem("About Tonvirta"));
}

} // namespace
