// The window as it opens: every control where it was designed, in the designed Tab order.
#include "tests/support/Form1Fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace {

class Form1Test : public testing_support::Form1Fixture {
protected:
    QRect inWindow(QWidget& widget) { return {widget.mapTo(&window, QPoint(0, 0)), widget.size()}; }
};

TEST_F(Form1Test, EveryControlStandsWhereItWasDesignedInFrontOfTheFrame) {
    EXPECT_EQ(window.windowTitle(), "Tonvirta");
    EXPECT_EQ(window.size(), QSize(529, 473));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(inWindow(oscil()), QRect(8, 8, 512, 256));
    EXPECT_EQ(inWindow(child<QGroupBox>("Frame1")), QRect(8, 272, 433, 193));
    EXPECT_EQ(inWindow(child<QLabel>("Label2")), QRect(456, 424, 57, 33));
    for (int i = 0; i < 17; ++i) {
        for (QWidget* control :
             {static_cast<QWidget*>(&slider(i)), static_cast<QWidget*>(&box(i))}) {
            const QRect expected = control == &box(i) ? QRect(24 + 24 * i, 424, 17, 19)
                                                      : QRect(24 + 24 * i, 288, 17, 129);
            EXPECT_EQ(inWindow(*control), expected) << i;
            EXPECT_EQ(window.childAt(expected.center()), control) << i;
        }
    }
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(inWindow(button(n)), QRect(448, 272 + 24 * n, 73, 17)) << n;
    }
}

TEST_F(Form1Test, CaptionsToolTipsAndTheLabelFontAreAsDesigned) {
    const std::pair<const char*, const char*> buttons[] = {
        {"MUTE", "Tyla- jokio signalo."},
        {"SQUARE", "Meandras- tik lygines harmonikos"},
        {"SAW RIGHT", ""},
        {"SAW LEFT", ""},
        {"SIN", "Svarus signalas- tik viena, pagrindine harmonika"},
        {"TRIANGLE", "Trikampis signalas- kas ketvirta harmonika"},
    };
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(button(n).text(), buttons[n].first);
        EXPECT_EQ(button(n).toolTip(), buttons[n].second);
    }
    EXPECT_EQ(child<QGroupBox>("Frame1").title(), "Ekvalaizeriukas");
    const QLabel& label = child<QLabel>("Label2");
    EXPECT_EQ(label.text(), "DORVILA");
    EXPECT_EQ(label.font().family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(label.font().pointSizeF(), 8.25);
    EXPECT_TRUE(label.font().bold());
}

TEST_F(Form1Test, StartsAtZeroWithTheDisplayFocusedShowingAFlatTrace) {
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(box(i).text(), "0");
        EXPECT_EQ(slider(i).value(), 0);
        EXPECT_EQ(slider(i).minimum(), -200);
        EXPECT_EQ(slider(i).maximum(), 200);
    }
    EXPECT_EQ(QApplication::focusWidget(), &oscil());
    EXPECT_EQ(child<QTimer>("Timer1").interval(), 100);
    // The colours as designed, written out: green over yellow on black.
    const forms::Color green{0, 255, 0};
    ASSERT_TRUE(testing_support::eventually(
        [&] { return pixel(0, 128) == green && pixel(511, 128) == green; }, 2000));
    EXPECT_EQ(pixel(256, 127), (forms::Color{0, 0, 0}));
    QTest::mouseClick(&button(4), Qt::LeftButton);
    EXPECT_TRUE(testing_support::eventually(
        [&] {
            return pixel(64, 128) == forms::Color{255, 255, 0};
        },
        2000));
}

TEST_F(Form1Test, TabVisitsTheControlsInTheDesignedOrderAndWrapsAround) {
    QStringList expected{"oscil"};
    const auto add = [&expected](const char* name, int first, int last) {
        for (int i = first; i <= last; ++i) {
            expected << QStringLiteral("%1_%2").arg(name).arg(i);
        }
    };
    add("harmonika", 0, 6);
    add("Command1", 0, 0);
    add("harmonika", 7, 10);
    add("Command1", 1, 5);
    add("VScroll1", 0, 16);
    add("harmonika", 11, 16);
    expected << "oscil";
    oscil().setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(Form1Test, ClosingTheWindowEndsTheProgramWithSuccess) {
    QTimer::singleShot(0, &window, &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
