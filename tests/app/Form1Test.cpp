#include "app/Form1.h"

#include "tests/support/Form1Fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Form1Test : public testing_support::Form1Fixture {
protected:
    QRect geometryInWindow(QWidget& widget) {
        return {widget.mapTo(&window, QPoint(0, 0)), widget.size()};
    }
};

TEST_F(Form1Test, WindowHasItsCaptionAndAFixedClientArea) {
    EXPECT_EQ(window.windowTitle(), "Tonvirta");
    EXPECT_EQ(window.objectName(), "Form1");
    EXPECT_EQ(window.size(), QSize(529, 473));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(Form1Test, EveryControlStandsWhereItWasDesigned) {
    EXPECT_EQ(geometryInWindow(child<QWidget>("oscil")), QRect(8, 8, 512, 256));
    EXPECT_EQ(geometryInWindow(child<QGroupBox>("Frame1")), QRect(8, 272, 433, 193));
    EXPECT_EQ(geometryInWindow(child<QLabel>("Label2")), QRect(456, 424, 57, 33));
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(geometryInWindow(slider(i)), QRect(24 + 24 * i, 288, 17, 129)) << i;
        EXPECT_EQ(geometryInWindow(box(i)), QRect(24 + 24 * i, 424, 17, 19)) << i;
        const QWidget* owner =
            i < 11 ? static_cast<QWidget*>(&window) : &child<QGroupBox>("Frame1");
        EXPECT_EQ(box(i).parentWidget(), owner) << i;
    }
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(geometryInWindow(button(n)), QRect(448, 272 + 24 * n, 73, 17)) << n;
    }
}

TEST_F(Form1Test, SlidersAndBoxesAreInFrontOfTheFrame) {
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(window.childAt(geometryInWindow(box(i)).center()), &box(i)) << i;
        EXPECT_EQ(window.childAt(geometryInWindow(slider(i)).center()), &slider(i)) << i;
    }
}

TEST_F(Form1Test, CaptionsToolTipsAndFontsAreAsDesigned) {
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
    EXPECT_EQ(button(0).font(), QApplication::font(&button(0)))
        << "other controls keep the default font";
}

TEST_F(Form1Test, StartsWithZeroEverywhereAndTheTimerRunning) {
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(box(i).text(), "0");
        EXPECT_EQ(slider(i).value(), 0);
        EXPECT_EQ(slider(i).minimum(), -200);
        EXPECT_EQ(slider(i).maximum(), 200);
        EXPECT_EQ(box(i).accessibleName(), QStringLiteral("Harmonic %1 amplitude").arg(i + 1));
        EXPECT_EQ(slider(i).accessibleName(), QStringLiteral("Harmonic %1 amplitude").arg(i + 1));
    }
    const auto& timer = child<QTimer>("Timer1");
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 100);
}

TEST_F(Form1Test, DisplayShowsTheFlatTraceFromTheFirstTick) {
    auto& oscil = child<forms::PictureBox>("oscil");
    const auto greenAt = [&oscil](int x, int y) {
        return oscil.image().pixel(x, y) == qRgb(0, 255, 0);
    };
    QTRY_VERIFY_WITH_TIMEOUT(greenAt(0, 128) && greenAt(511, 128), 2000);
    EXPECT_EQ(oscil.image().pixel(256, 127), qRgb(0, 0, 0));
    EXPECT_EQ(oscil.image().pixel(256, 129), qRgb(0, 0, 0));
}

QStringList expectedTabOrder() {
    QStringList names{"oscil"};
    for (int i = 0; i <= 6; ++i) {
        names << QStringLiteral("harmonika_%1").arg(i);
    }
    names << "Command1_0";
    for (int i = 7; i <= 10; ++i) {
        names << QStringLiteral("harmonika_%1").arg(i);
    }
    for (int n = 1; n <= 5; ++n) {
        names << QStringLiteral("Command1_%1").arg(n);
    }
    for (int i = 0; i <= 16; ++i) {
        names << QStringLiteral("VScroll1_%1").arg(i);
    }
    for (int i = 11; i <= 16; ++i) {
        names << QStringLiteral("harmonika_%1").arg(i);
    }
    return names;
}

TEST_F(Form1Test, TabKeyVisitsTheControlsInTheDesignedOrderAndWrapsAround) {
    auto& oscil = child<QWidget>("oscil");
    oscil.setFocus();
    ASSERT_TRUE(oscil.hasFocus());
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i <= expectedTabOrder().size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.mid(0, expectedTabOrder().size()), expectedTabOrder());
    EXPECT_EQ(visited.last(), "oscil");
}

TEST_F(Form1Test, ClosingTheWindowEndsTheProgramWithSuccess) {
    QTimer::singleShot(0, &window, &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
