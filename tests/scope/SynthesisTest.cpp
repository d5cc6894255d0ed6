#include "scope/Synthesis.h"

#include "forms/Conversions.h"
#include "scope/Drawing.h"
#include "scope/Scene.h"
#include "scope/Target.h"
#include "tests/support/LiteralSynthesis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace {

// The tabulated sines must not move a single point: the picture is the same bit for bit.
TEST(Synthesis, GivesExactlyTheLiteralPointsForAnyAmplitudes) {
    const scope::Synthesis synthesis;
    std::mt19937 random(17);
    std::uniform_real_distribution<double> anyAmplitude(-200.0, 200.0);
    std::bernoulli_distribution silent(0.4);
    for (int round = 0; round < 300; ++round) {
        scope::Amplitudes amplitudes{};
        std::array<std::string, 17> texts;
        for (std::size_t k = 0; k < 17; ++k) {
            const double a = anyAmplitude(random);
            amplitudes[k] = silent(random) ? 0.0 : round % 2 == 0 ? a : std::round(a);
            texts[k] = forms::doubleToText(amplitudes[k]);
        }
        const scope::Trace trace = synthesis.trace({amplitudes});
        const auto expected = testing_support::literalTrace(texts);
        for (std::size_t x = 0; x < trace.size(); ++x) {
            ASSERT_EQ(trace[x], expected[x]) << "round " << round << ", x = " << x + 1;
        }
    }
}

// Phased: sum of a sin(k x + phase) at each column, against the plain formula; a harmonic's own
// curve too. The fit meter finds no error in a period that is that very sum.
TEST(Synthesis, FollowsThePhasesOfEveryHarmonic) {
    const scope::Synthesis synthesis;
    std::mt19937 random(32);
    std::uniform_real_distribution<double> any(-200.0, 200.0);
    for (int round = 0; round < 50; ++round) {
        scope::Amplitudes amplitudes{};
        scope::Phases phases{};
        for (std::size_t k = 0; k < 17; ++k) {
            amplitudes[k] = std::round(any(random));
            phases[k] = k % 3 == 0 ? 0.0 : std::round(any(random) * 0.45);
        }
        const auto at = [&](double x, std::size_t only = 0) {
            double sum = 0;
            for (std::size_t k = 1; k <= 17; ++k) {
                if (only == 0 || only == k) {
                    sum += amplitudes[k - 1] *
                           std::sin(double(k) * x + phases[k - 1] * std::numbers::pi / 180);
                }
            }
            return sum;
        };
        const scope::Trace trace = synthesis.trace({amplitudes, phases});
        const scope::Curve fifth = synthesis.harmonic(5, amplitudes[4], phases[4]);
        scope::Period period{};
        for (std::size_t x = 0; x < 512; ++x) {
            ASSERT_NEAR(trace[x], 128 - at(scope::phaseStep * double(x + 1)) / 1.5, 1e-9);
            ASSERT_NEAR(fifth[x], 128 - at(scope::phaseStep * double(x), 5) / 1.5, 1e-3);
            period[x % 256] = at(2 * std::numbers::pi * double(x % 256) / 256);
        }
        const auto fit =
            scope::FitMeter().measure({amplitudes, phases}, scope::Target::drawn(period));
        ASSERT_LT(fit->rmsError, 2.0); // the drawn period is straight between its columns
        ASSERT_NEAR(fit->overshoot, 0.0, 2.0);
    }
}

// A drawing is met by the nearest phased sum: a cosine is a sine at 90 degrees, a sine upside
// down keeps its sign, a triangle a quarter period late has every phase at -90 turned to 90.
TEST(Drawing, GivesThePhasedHarmonicsNearestTheShape) {
    struct Shape {
        const char* what;
        double (*height)(double x);
        std::array<int, 4> amplitudes;
        std::array<double, 4> phases;
    } const shapes[] = {
        {"cosine", [](double x) { return 100 * std::cos(x); }, {100, 0, 0, 0}, {90, 0, 0, 0}},
        {"sine upside down",
         [](double x) { return -100 * std::sin(x); },
         {-100, 0, 0, 0},
         {0, 0, 0, 0}},
        {"shifted",
         [](double x) { return 80 * std::sin(x + 0.5) + 40 * std::sin(2 * x - 1.0); },
         {80, 40, 0, 0},
         {29, -57, 0, 0}},
        {"triangle, late",
         [](double x) {
             return 25 * std::numbers::pi * std::asin(std::sin(x - std::numbers::pi / 2));
         },
         {-100, 0, -11, 0},
         {90, 0, 90, 0}},
    };
    for (const Shape& shape : shapes) {
        scope::Period heights{};
        for (std::size_t x = 0; x < heights.size(); ++x) {
            heights[x] = shape.height(scope::phaseStep * double(x));
        }
        const scope::Timbre found = scope::harmonicsOf(heights);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(found.amplitudes[k], shape.amplitudes[k])
                << shape.what << ", harmonic " << k + 1;
            EXPECT_EQ(found.phases[k], shape.phases[k]) << shape.what << ", harmonic " << k + 1;
        }
    }
}

// GIVEN the views WHEN the scene is decided THEN the game's round stands in for any target,
// drawn or only heard, the target view shows its aim with the sum's fit, and nothing else does.
TEST(Scene, DecidesTheAimAndItsFitOnceForEveryDisplay) {
    using Aim = scope::Scene::Aim;
    const scope::Target square = scope::Target::ideal(scope::Target::Ideal::Square, 100.0);
    const scope::Timbre sine{{100}};
    scope::Views target;
    target.target = true;
    target.aim = square;
    scope::Views drawn = target;
    drawn.round = scope::Views::Round{scope::Target::sumOf(sine.amplitudes), "level 1"};
    scope::Views heard = target;
    heard.round = scope::Views::Round{std::nullopt, "level 6"};
    scope::Views off;
    off.aim = square; // a preset was clicked, but the target view is off
    const struct {
        const scope::Views& views;
        Aim aim;
        std::string status;
        double rmsError;                          // -1: no fit
    } cases[] = {{target, Aim::Target, "", 43.5}, // sqrt(1 - 8 / pi^2): a sine against a square
                 {drawn, Aim::HiddenWave, "level 1", 0.0},
                 {heard, Aim::HeardWave, "level 6", -1},
                 {off, Aim::None, "", -1}};
    const scope::SceneMaker maker;
    for (const auto& c : cases) {
        const scope::Scene scene = maker.make(sine, c.views);
        EXPECT_EQ(scene.aim, c.aim);
        EXPECT_EQ(scene.status, c.status);
        EXPECT_EQ(scene.target != nullptr, c.rmsError >= 0);
        EXPECT_NEAR(scene.fit ? scene.fit->rmsError : -1.0, c.rmsError, 0.1) << scene.status;
    }
}

} // namespace
