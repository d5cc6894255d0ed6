// The window as the program opens it, playing into the private sound server's null sink.
// scripts/test starts that server and says where it is in PULSE_SERVER.
#include "app/MainWindow.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProgramSound : public testing::Test {
protected:
    void open() {
        window = app::createMainWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QAction& sound() { return *window->findChild<QAction*>(QStringLiteral("soundAction")); }

    std::unique_ptr<app::Form1> window;
};

TEST_F(ProgramSound, CtrlPPlaysSquareOnTheDefaultDeviceWithEveryHarmonicInProportion) {
    if (!sink_recorder::serverRunning()) {
        GTEST_SKIP() << "no private sound server (scripts/test starts one where it can)";
    }
    open();
    ASSERT_TRUE(QTest::qWaitFor([this] { return sound().isEnabled(); }, 5000))
        << sound().text().toStdString();
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1_1")),
                      Qt::LeftButton);
    for (QAction* item :
         window->findChild<QMenu*>(QStringLiteral("displayMenu"))->findChildren<QAction*>()) {
        if (item->text() == QStringLiteral("100 %")) {
            item->trigger();
        }
    }
    QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("harmonika_0")), Qt::Key_P,
                    Qt::ControlModifier);
    ASSERT_TRUE(sound().isChecked());
    QTest::qWait(300);

    const std::vector<float> samples = sink_recorder::record(60000);
    ASSERT_GE(samples.size(), 48000U) << "recorded too little";
    const std::span<const float> second(samples.data() + samples.size() - 48000, 48000);
    // At full volume the fundamental's 100 plays at a quarter of full scale, the rest in
    // proportion, and no even harmonic sounds.
    const double fundamental = tone::level(second, 220.0, 48000.0);
    EXPECT_NEAR(tone::decibels(fundamental / 0.25), 0.0, 0.5);
    for (const auto& [k, amplitude] : {std::pair{3, 30.0}, {5, 14.0}, {7, 7.0}, {9, 3.0}}) {
        EXPECT_NEAR(tone::decibels(tone::level(second, 220.0 * k, 48000.0) / fundamental),
                    tone::decibels(amplitude / 100.0), 1.0)
            << "harmonic " << k;
    }
    EXPECT_LT(tone::decibels(tone::level(second, 440.0, 48000.0)), -50.0);
}

TEST_F(ProgramSound, WithNoSoundServerTheSoundItemSaysWhyAndStaysOff) {
    const QByteArray saved = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/tonvirta-test/native");
    open();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !sound().text().contains("Looking"); }, 10000));
    EXPECT_FALSE(sound().isEnabled()) << sound().text().toStdString();
    qputenv("PULSE_SERVER", saved);
}

} // namespace
