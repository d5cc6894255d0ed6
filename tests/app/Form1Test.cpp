// The window as it opens: every control where it was designed, in the designed Tab order.
#include "tests/support/Form1Fixture.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QTimer>

namespace {

class Form1Test : public testing_support::Form1Fixture {
protected:
    QRect inWindow(const QWidget& widget) {
        return {widget.mapTo(&*window, QPoint(0, 0)), widget.size()};
    }
};

TEST_F(Form1Test, EveryControlStandsWhereItWasDesignedWithItsCaptionAndToolTip) {
    EXPECT_EQ(window->windowTitle(), "Tonvirta");
    EXPECT_EQ(std::pair(window->minimumSize(), window->maximumSize()),
              std::pair(QSize(529, 473), QSize(529, 473)));
    EXPECT_EQ(inWindow(oscil()), QRect(8, 8, 512, 256));
    EXPECT_EQ(inWindow(child<QGroupBox>("Frame1")), QRect(8, 272, 433, 193));
    EXPECT_EQ(child<QGroupBox>("Frame1").title(), "Ekvalaizeriukas");
    const QLabel& label = child<QLabel>("Label2");
    EXPECT_EQ(inWindow(label), QRect(456, 424, 57, 33));
    EXPECT_EQ(std::tuple(label.text(), label.font().family(), label.font().pointSizeF(),
                         label.font().bold()),
              std::tuple("DORVILA", "MS Sans Serif", 8.25, true));
    for (int i = 0; i < 17; ++i) {
        for (const auto& [control, expected] :
             {std::pair<QWidget*, QRect>{&slider(i), {24 + 24 * i, 288, 17, 129}},
              {&box(i), {24 + 24 * i, 424, 17, 19}}}) {
            EXPECT_EQ(inWindow(*control), expected) << i;
            EXPECT_EQ(window->childAt(expected.center()), control) << "in front of the frame " << i;
        }
    }
    // clang-format off
    const std::pair<const char*, const char*> buttons[] = {
        {"MUTE", "Tyla- jokio signalo."}, {"SQUARE", "Meandras- tik lygines harmonikos"},
        {"SAW RIGHT", ""}, {"SAW LEFT", ""},
        {"SIN", "Svarus signalas- tik viena, pagrindine harmonika"},
        {"TRIANGLE", "Trikampis signalas- kas ketvirta harmonika"}};
    // clang-format on
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(inWindow(button(n)), QRect(448, 272 + 24 * n, 73, 17)) << n;
        EXPECT_EQ(button(n).text(), buttons[n].first);
        EXPECT_EQ(button(n).toolTip(), buttons[n].second);
    }
    EXPECT_EQ(child<QTimer>("Timer1").interval(), 100);
}

TEST_F(Form1Test, TabVisitsTheControlsInTheDesignedOrderAndWrapsAround) {
    QStringList expected{"oscil"};
    for (const auto& [name, first, last] : {std::tuple{"harmonika", 0, 6},
                                            {"Command1", 0, 0},
                                            {"harmonika", 7, 10},
                                            {"Command1", 1, 5},
                                            {"VScroll1", 0, 16},
                                            {"harmonika", 11, 16}}) {
        for (int i = first; i <= last; ++i) {
            expected << QStringLiteral("%1_%2").arg(name).arg(i);
        }
    }
    expected << "oscil";
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, expected);
}

// The sound libraries are loaded when sound is first wanted: a window that never plays maps
// none of them, and one started with the sound on has them by its first frame.
TEST(Program, LoadsTheSoundLibrariesOnlyOnceSoundIsWanted) {
    for (const auto& [arguments, wanted] :
         {std::pair{QStringList{}, false}, {QStringList{"--sound"}, true}}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TONVIRTA_LOG_FIRST_FRAME", "1");
        environment.insert("PULSE_SERVER", "unix:/nonexistent"); // no server of the desktop's
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(TONVIRTA_BINARY, arguments);
        QByteArray said;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return (said += program.readAllStandardError()).contains("first frame"); },
            10000));
        QFile maps(QStringLiteral("/proc/%1/maps").arg(program.processId()));
        ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        EXPECT_EQ(std::pair(mapped.contains("libpulse"), mapped.contains("libsndfile")),
                  std::pair(wanted, wanted))
            << arguments.join(' ').toStdString();
        program.kill();
        program.waitForFinished();
    }
}

} // namespace
