// Drawing a wave on the display, and the views of the harmonics and of the target.
#include "tests/support/Form1Fixture.h"

#include <QClipboard>
#include <QLabel>
#include <functional>
#include <numbers>

namespace {

using DisplayViews = testing_support::Form1Fixture;
using testing::DoubleNear;
using testing::Pointwise;
constexpr double pi = std::numbers::pi;

TEST_F(DisplayViews, DrawingAWaveGivesTheHarmonicsNearestToItAndStaysUntilTheNextChange) {
    std::vector<std::pair<std::array<double, 17>, std::function<double(int)>>> drawings{
        {{100}, [](int x) { return 128.0 - 100.0 / 1.5 * std::sin(2 * pi * x / 256); }},
        {{}, [](int) { return 70.0; }}};
    for (int preset = 0; preset < 6; ++preset) { // each preset's own trace
        QTest::mouseClick(&button(preset), Qt::LeftButton);
        drawings.emplace_back(numbers(),
                              [trace = trace()](int x) { return x == 0 ? 128.0 : trace[x - 1]; });
    }
    for (const auto& [expected, y] : drawings) {
        button(0).click();
        drawOnDisplay(256, 511, [&y](int x) { return y(x - 256); }); // the second period counts
        EXPECT_THAT(numbers(), Pointwise(DoubleNear(1.0), expected)) << expected[0];
    }
    // A stroke over part of the period is joined round the period's end, as if drawn so whole.
    const auto wrapped = [](int x) {
        return x >= 120 && x <= 200 ? 70.0 + 1.5 * (x - 120)
                                    : 190.0 - 120.0 / 176.0 * ((x + 56) % 256);
    };
    drawOnDisplay(0, 255, wrapped);
    const auto whole = numbers();
    drawOnDisplay(120, 200, wrapped);
    EXPECT_THAT(numbers(), Pointwise(DoubleNear(1.0), whole));
    // The drawing stays beside its own sum until the amplitudes change again.
    QTest::qWait(250);
    EXPECT_GT(count(qRgb(0, 220, 255)), 400);
    typeOver(4, "7");
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(0, 220, 255)) == 0; }));
}

TEST_F(DisplayViews, AClickEscapeOrAStrokeOffTheEdgesDoNoHarm) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const QString square = texts();
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

// Against a target whose series is a1 c(k), of height |a1| p either side (a1 the sum's first
// harmonic, as each preset's target has): the RMS error by Parseval's theorem, the overshoot
// from the sum's largest magnitude (the sums are odd).
std::array<double, 2> fitTo(const std::array<double, 17>& a, const std::function<double(int)>& c,
                            double p) {
    double error = 0.0;
    double power = 0.0;
    for (int k = 1; k < 200000; ++k) {
        const double difference = (k <= 17 ? a[k - 1] : 0.0) - a[0] * c(k);
        error += difference * difference / 2.0;
        power += a[0] * c(k) * a[0] * c(k) / 2.0;
    }
    double peak = 0.0;
    for (int j = 0; j <= 20000; ++j) {
        double sum = 0.0;
        for (int k = 1; k <= 17; ++k) {
            sum += a[k - 1] * std::sin(k * pi * j / 20000);
        }
        peak = std::max(peak, std::abs(sum));
    }
    p *= std::abs(a[0]);
    return {100.0 * std::sqrt(error / power), 100.0 * (peak - p) / (2 * p)};
}

TEST_F(DisplayViews, HarmonicsAndTargetShowWithTheirKeysAndTheFitFollowsTheClosedForms) {
    onDisplay("t"); // with no target yet, it says how to get one
    EXPECT_TRUE(child<QLabel>("note").text().startsWith("Show target: no target yet. Press a"));
    QTest::mouseClick(&button(1), Qt::LeftButton);
    onDisplay("h");
    ASSERT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 200; }));
    EXPECT_GT(count(qRgb(170, 70, 70)), 200) << "the fundamental, in the first colour";
    EXPECT_GT(count(qRgb(150, 150, 60)), 50) << "the third harmonic";
    EXPECT_EQ(count(qRgb(170, 120, 50)), 0) << "no second harmonic sounds";
    const auto fit = [this] {
        const QStringList words = oscil().captionText().split(' ', Qt::SkipEmptyParts);
        // Written with the decimal separator of the user's locale.
        return words.size() == 7
                   ? std::array{QLocale().toDouble(words[2]), QLocale().toDouble(words[5])}
                   : std::array{-1.0, -1.0};
    };
    // Each preset's target, and SQUARE's rounded series pasted (-1): the Gibbs overshoot, a sum
    // inside its target, and the targets' directions and heights all follow from the series.
    const std::function<double(int)> square = [](int k) { return k % 2 == 1 ? 1.0 / k : 0.0; };
    const std::function<double(int)> saw = [](int k) { return 1.0 / k; };
    const std::tuple<int, std::function<double(int)>, double> targets[] = {
        {1, square, pi / 4},
        {-1, square, pi / 4},
        {2, saw, pi / 2},
        {3, saw, pi / 2},
        {4, [](int k) { return k == 1 ? 1.0 : 0.0; }, 1.0},
        {5, [](int k) { return k % 2 == 1 ? (k % 4 == 1 ? 1.0 : -1.0) / k / k : 0.0; },
         pi * pi / 8}};
    for (const auto& [preset, series, peak] : targets) {
        QApplication::clipboard()->setText("100 0 33 0 20 0 14 0 11 0 9 0 8 0 7 0 6");
        preset < 0 ? menuItem("Paste amplitudes").trigger()
                   : QTest::mouseClick(&button(preset), Qt::LeftButton);
        QTest::qWait(150);
        EXPECT_THAT(fit(), Pointwise(DoubleNear(0.2), fitTo(numbers(), series, peak))) << preset;
    }
    onDisplay("t");
    EXPECT_TRUE(testing_support::eventually([&] { return oscil().captionText().isEmpty(); }));
}

} // namespace
