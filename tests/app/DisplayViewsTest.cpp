// Drawing a wave on the display, and the views of the harmonics and of the target.
#include "tests/support/Form1Fixture.h"
#include "tests/support/LiteralSynthesis.h"

#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

class DisplayViews : public testing_support::Form1Fixture {
protected:
    int count(forms::Color colour) {
        int found = 0;
        for (int x = 0; x < 512; ++x) {
            for (int y = 0; y < 256; ++y) {
                found += pixel(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
};

TEST_F(DisplayViews, DrawingAWaveGivesTheHarmonicsNearestToIt) {
    std::vector<std::pair<Texts, std::function<double(int)>>> drawings{
        {leading({"100"}), [](int x) { return 128.0 - 100.0 / 1.5 * std::sin(2 * pi * x / 256); }},
        {leading({}), [](int) { return 70.0; }}};
    for (int preset = 0; preset < 6; ++preset) { // each preset's own trace
        QTest::mouseClick(&button(preset), Qt::LeftButton);
        const auto trace = testing_support::literalTrace(texts());
        drawings.emplace_back(texts(), [trace](int x) { return x == 0 ? 128.0 : trace[x - 1]; });
    }
    for (const auto& [expected, y] : drawings) {
        button(0).click();
        drawOnDisplay(256, 511, [&y](int x) { return y(x - 256); }); // the second period counts
        for (int i = 0; i < 17; ++i) {
            EXPECT_NEAR(box(i).text().toDouble(), std::stod(expected[i]), 1.0) << i;
        }
    }
    // A stroke over part of the period is joined round the period's end, as if drawn so whole.
    const auto wrapped = [](int x) {
        return x >= 120 && x <= 200 ? 70.0 + 1.5 * (x - 120)
                                    : 190.0 - 120.0 / 176.0 * ((x + 56) % 256);
    };
    drawOnDisplay(0, 255, wrapped);
    const Texts whole = texts();
    drawOnDisplay(120, 200, wrapped);
    for (int i = 0; i < 17; ++i) {
        EXPECT_NEAR(box(i).text().toDouble(), std::stod(whole[i]), 1.0) << i;
    }
}

TEST_F(DisplayViews, AClickEscapeOrAStrokeOffTheEdgesDoNoHarm) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const Texts square = texts();
    QTest::mouseClick(&oscil(), Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(texts(), square) << "a click";
    QTest::mousePress(&oscil(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&oscil(), QPoint(300, 200));
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    QTest::mouseRelease(&oscil(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(texts(), square) << "Escape";
    drawOnDisplay(-50, 600, [](int x) { return x < 256 ? -400.0 : 900.0; });
    EXPECT_EQ(box(0).text(), "0") << "clamped to the edges; the later half wins: a constant";
}

TEST_F(DisplayViews, TheDrawingStaysBesideItsSumUntilTheAmplitudesChangeAgain) {
    const forms::Color drawn{0, 220, 255};
    drawOnDisplay(0, 255, [](int x) { return 128.0 - 60.0 * std::sin(2 * pi * x / 256); });
    QTest::qWait(250);
    EXPECT_GT(count(drawn), 400) << "after its own change, over the following ticks";
    typeOver(4, "7");
    EXPECT_TRUE(testing_support::eventually([&] { return count(drawn) == 0; }));
}

// A square wave of fundamental 100 has height h = 100 pi / 4 and series 100/k for odd k: the
// RMS error follows by Parseval's theorem, the overshoot from the largest value of the sum.
std::array<double, 2> fitToSquare(const std::vector<double>& a) {
    const double h = 100.0 * pi / 4.0;
    double error = 0.0;
    for (std::size_t k = 1; k < 200000; ++k) {
        const double difference = (k <= 17 ? a[k - 1] : 0.0) - (k % 2 == 1 ? 100.0 / k : 0.0);
        error += difference * difference / 2.0;
    }
    double peak = 0.0;
    for (int j = 0; j <= 20000; ++j) {
        double sum = 0.0;
        for (std::size_t k = 0; k < a.size(); ++k) {
            sum += a[k] * std::sin(double(k + 1) * pi * j / 20000);
        }
        peak = std::max(peak, sum);
    }
    return {100.0 * std::sqrt(error) / h, 100.0 * (peak - h) / (2 * h)};
}

TEST_F(DisplayViews, HarmonicsAndTargetShowWithTheirKeysAndTheFitFollowsTheClosedForms) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_H);
    QTest::keyClick(&oscil(), Qt::Key_T);
    ASSERT_TRUE(testing_support::eventually([&] { return count({120, 120, 120}) > 200; }));
    EXPECT_GT(count({170, 70, 70}), 200) << "the fundamental, in the first colour";
    EXPECT_GT(count({150, 150, 60}), 50) << "the third harmonic";
    EXPECT_EQ(count({170, 120, 50}), 0) << "no second harmonic sounds";
    for (const std::vector<double>& amplitudes :
         {std::vector<double>{100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0},
          std::vector<double>{100, 0, 33, 0, 20, 0, 14, 0, 11, 0, 9, 0, 8, 0, 7, 0, 6}}) {
        for (int i = 0; i < 17; ++i) {
            box(i).setText(QString::number(amplitudes[std::size_t(i)]));
        }
        QTest::qWait(150);
        const QStringList words = oscil().captionText().split(' ', Qt::SkipEmptyParts);
        ASSERT_EQ(words.size(), 7) << oscil().captionText().toStdString();
        EXPECT_NEAR(words[2].toDouble(), fitToSquare(amplitudes)[0], 0.2);
        EXPECT_NEAR(words[5].toDouble(), fitToSquare(amplitudes)[1], 0.2);
    }
    QTest::keyClick(&oscil(), Qt::Key_T);
    EXPECT_TRUE(testing_support::eventually([&] { return oscil().captionText().isEmpty(); }));
}

} // namespace
