#include "scope/Synthesis.h"

#include "forms/Conversions.h"
#include "tests/support/LiteralSynthesis.h"

#include <gtest/gtest.h>
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
        const scope::Trace trace = synthesis.trace(amplitudes);
        const auto expected = testing_support::literalTrace(texts);
        for (std::size_t x = 0; x < trace.size(); ++x) {
            ASSERT_EQ(trace[x], expected[x]) << "round " << round << ", x = " << x + 1;
        }
    }
}

} // namespace
