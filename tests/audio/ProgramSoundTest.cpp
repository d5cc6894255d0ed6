// The window as the program opens it, playing into the private sound server's null sink.
#include "app/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(ProgramSound, CtrlPPlaysTheWaveformOnTheDefaultDevice) {
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER") ||
        QStandardPaths::findExecutable("parec").isEmpty()) {
        GTEST_SKIP() << "no private sound server (scripts/test starts one where it can)";
    }
    const auto window = app::createMainWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* sound = window->findChild<QAction*>(QStringLiteral("soundAction"));
    ASSERT_TRUE(QTest::qWaitFor([sound] { return sound->isEnabled(); }, 5000))
        << sound->text().toStdString();

    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1_4")),
                      Qt::LeftButton); // SIN
    QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("harmonika_0")), Qt::Key_P,
                    Qt::ControlModifier);
    ASSERT_TRUE(sound->isChecked());
    QTest::qWait(300);

    QProcess recorder;
    recorder.start(QStringLiteral("parec"),
                   {QStringLiteral("--device=tonvirta.monitor"),
                    QStringLiteral("--latency-msec=20"), QStringLiteral("--raw"),
                    QStringLiteral("--format=float32le"), QStringLiteral("--rate=48000"),
                    QStringLiteral("--channels=1")});
    ASSERT_TRUE(recorder.waitForStarted());
    QByteArray raw;
    (void)QTest::qWaitFor(
        [&] {
            raw += recorder.readAllStandardOutput();
            return raw.size() >= 24000 * static_cast<qsizetype>(sizeof(float));
        },
        15000);
    recorder.kill();
    recorder.waitForFinished();
    std::vector<float> samples(static_cast<std::size_t>(raw.size()) / sizeof(float));
    std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
    ASSERT_GE(samples.size(), 24000U);

    // SIN's 100 at half volume: a quarter of half scale, so peaks of 0.125.
    float peak = 0.0F;
    for (std::size_t i = samples.size() - 12000; i < samples.size(); ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    EXPECT_NEAR(peak, 0.125F, 0.01F);
}

} // namespace
