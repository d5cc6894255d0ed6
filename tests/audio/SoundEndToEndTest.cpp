// The real output adapter playing into a private PulseAudio server's null sink, recorded from
// the sink's monitor. scripts/test starts that server and says where it is in PULSE_SERVER.
#include "audio/qt/QtSoundOutput.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SoundEndToEnd, PlaysSquareThroughTheRealDevice) {
    if (!sink_recorder::serverRunning()) {
        GTEST_SKIP() << "no private sound server (scripts/test starts one where it can)";
    }
    audio::QtSoundOutput output;
    ASSERT_TRUE(QTest::qWaitFor([&] { return output.unavailableReason().empty(); }, 5000))
        << output.unavailableReason();

    audio::SoundSnapshot square;
    square.amplitudes = {100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1};
    square.pitchHz = 220;
    square.volume = 1.0;
    square.on = true;
    output.publish(square);
    QTest::qWait(300);

    const std::vector<float> samples = sink_recorder::record(60000);
    ASSERT_GE(samples.size(), 48000U) << "recorded too little";
    const std::span<const float> second(samples.data() + samples.size() - 48000, 48000);

    // At full volume the fundamental's 100 plays at a quarter of full scale, the others in
    // proportion.
    const double fundamental = tone::level(second, 220.0, 48000.0);
    EXPECT_NEAR(tone::decibels(fundamental / 0.25), 0.0, 0.5);
    const std::pair<double, double> harmonics[] = {{3, 30}, {5, 14}, {7, 7}, {9, 3}, {11, 1}};
    for (const auto& [k, amplitude] : harmonics) {
        EXPECT_NEAR(tone::decibels(tone::level(second, 220.0 * k, 48000.0) / fundamental),
                    tone::decibels(amplitude / 100.0), 1.0)
            << "harmonic " << k;
    }
    EXPECT_LT(tone::decibels(tone::level(second, 440.0, 48000.0)), -50.0);
    EXPECT_LE(tone::peak(second), 1.0F);
}

TEST(SoundEndToEnd, SaysWhyWhenThereIsNoSoundServer) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/tonvirta-test/native");
    audio::QtSoundOutput output;
    int changes = 0;
    output.onAvailabilityChanged([&changes] { ++changes; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes > 0; }, 10000));
    EXPECT_FALSE(output.unavailableReason().empty());
    audio::SoundSnapshot loud;
    loud.amplitudes.fill(200);
    loud.on = true;
    output.publish(loud); // harmless: nothing to play on
    QTest::qWait(100);
}

} // namespace
