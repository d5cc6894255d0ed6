// The window as the program opens it, playing into the private sound server's null sink.
#include "app/MainWindow.h"
#include "tests/audio/SinkRecorder.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ProgramSound, CtrlPPlaysTheWaveformOnTheDefaultDevice) {
    if (!sink_recorder::serverRunning()) {
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

    const std::vector<float> samples = sink_recorder::record(24000);
    ASSERT_GE(samples.size(), 24000U);

    // SIN's 100 at half volume: a quarter of half scale, so peaks of 0.125.
    float peak = 0.0F;
    for (std::size_t i = samples.size() - 12000; i < samples.size(); ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    EXPECT_NEAR(peak, 0.125F, 0.01F);
}

} // namespace
