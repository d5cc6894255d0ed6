// Single cycles and wavetables made here from known harmonics, opened as periods: taken apart
// exactly, frame by frame, with Tonvirta's recipe brought back where the samples agree with it,
// and every bad table named.
#include "analysis/Wavetables.h"

#include "analysis/Tracks.h"
#include "audio/Wavetable.h"
#include "editor/Recipe.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using Kind = analysis::TableFault::Kind;
constexpr double pi = std::numbers::pi;

// Harmonic k + 1's amplitude and phase in degrees, against the fundamental's.
const model::Timbre known{{100, -40, 25, 0, 12.4, 0, 0, 0, 7, 0, 0, 0, 0, 0, 3},
                          {0, 0, 30, 0, -60, 0, 0, 0, 80, 0, 0, 0, 0, 0, 45}};

// n samples of one period of the timbre, its fundamental started at `fundamental` degrees.
std::vector<float> period(const model::Timbre& timbre, std::size_t n, double fundamental = 20) {
    std::vector<float> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        double sum = 0.0;
        for (std::size_t k = 0; k < 17; ++k) {
            const double x = 2 * pi * double(i) / double(n) + fundamental * pi / 180;
            sum += timbre.amplitudes[k] * std::sin(double(k + 1) * x + timbre.phases[k] * pi / 180);
        }
        out[i] = float(sum / 200.0);
    }
    return out;
}

analysis::TableChunks clm(std::uint64_t size) {
    return {"<!>" + std::to_string(size) + " 01000000 wavetable (here)", {}, {}};
}

template <class T> T as(const analysis::Periods& periods) {
    EXPECT_TRUE(std::holds_alternative<T>(periods)) << periods.index();
    return std::holds_alternative<T>(periods) ? std::get<T>(periods) : T{};
}

// GIVEN one period of known harmonics, of any length a library ships, at any rate, told by its
// shortness or by a chunk WHEN it is opened THEN its harmonics are the period's exactly (the
// amplitudes within 0.5, the phases within 1 degree, as the analysis writes them) and its pitch
// is the rate over its length.
TEST(Wavetables, ASingleCycleComesApartExactlyAtAnyLengthAndRate) {
    const model::Timbre expected{{100, -40, 25, 0, 12, 0, 0, 0, 7, 0, 0, 0, 0, 0, 3},
                                 {0, 0, 30, 0, -60, 0, 0, 0, 80, 0, 0, 0, 0, 0, 45}};
    for (const auto& [n, rate, chunks] :
         {std::tuple{std::size_t{32}, 48000.0, analysis::TableChunks{}},
          {256, 44100.0, {}},
          {600, 44100.0, {}},
          {2048, 48000.0, {}},
          {8192, 96000.0, {}},
          {8192, 44100.0, clm(8192)}, // 0.19 s: only its chunk says it is one cycle
          {4096, 8000.0, {{}, std::string("\1\0\0\0\0\20\0\0", 8), {}}}}) {
        const auto table =
            as<analysis::Table>(analysis::periodsOf({period(known, n), rate, chunks, 0}));
        EXPECT_EQ(std::pair(table.frameSize, table.frames.moments.size()), std::pair(n, 1UL));
        EXPECT_NEAR(table.first.fundamentalHz, rate / double(n), 1e-9);
        for (std::size_t k = 0; k < 17; ++k) {
            EXPECT_EQ(table.first.timbre.amplitudes[k], expected.amplitudes[k]) << n << " " << k;
            EXPECT_NEAR(table.first.timbre.phases[k], expected.phases[k], 1.0) << n << " " << k;
        }
        // Its period as the display draws a note's: from the fundamental's zero.
        EXPECT_NEAR(table.first.period[64], 100 - 25 * std::cos(30 * pi / 180) + 12 * 0.5, 3.0);
    }
}

// GIVEN a table of frames whose fundamental grows and whose third holds WHEN it is opened THEN
// it is a note over time a moment a frame: each at its index, its pitch the rate over the frame
// size, its magnitudes against the table's loudest at 100.
TEST(Wavetables, ATableOfFramesOpensAsANoteOverTimeFrameByFrame) {
    std::vector<float> samples;
    for (int f = 0; f < 4; ++f) {
        const auto frame = period({{25.0 * (f + 1), 0, 20}, {0, 0, 10.0 * f}}, 256, 0);
        samples.insert(samples.end(), frame.begin(), frame.end());
    }
    const auto table = as<analysis::Table>(analysis::periodsOf({samples, 48000, clm(256), 0}));
    ASSERT_EQ(table.frames.moments.size(), 4U);
    EXPECT_TRUE(table.frames.frames);
    for (std::size_t f = 0; f < 4; ++f) {
        const model::Moment& moment = table.frames.moments[f];
        EXPECT_EQ(moment.seconds, double(f));
        EXPECT_DOUBLE_EQ(moment.hz, 187.5);
        EXPECT_NEAR(moment.timbre.amplitudes[0], 25.0 * double(f + 1), 1e-3);
        EXPECT_NEAR(moment.timbre.amplitudes[2], 20.0, 1e-3);
        EXPECT_NEAR(moment.timbre.phases[2], 10.0 * double(f), 1e-3);
    }
    EXPECT_EQ(analysis::csvOf(table.frames).substr(0, 200).find("\n3,187.500,100.00,"),
              std::string::npos); // the first rows
    EXPECT_NE(analysis::csvOf(table.frames).find("\n3,187.500,100.00,0.00,20.00,"),
              std::string::npos);
}

// GIVEN a table that cannot be read as its chunks claim WHEN it is opened THEN the fault is named
// with its numbers; and a sound no chunk and no shortness calls periods is left to the note
// finder.
TEST(Wavetables, ABadTableIsNamedWithItsNumbers) {
    const std::vector<float> four(4 * 2048, 0.5F);
    struct Case {
        const char* name;
        analysis::Sound sound;
        std::optional<analysis::TableFault> fault; // none: a note to find
    };
    const Case cases[] = {
        {"frames not a power of two", {four, 48000, clm(3000), 0}, {{Kind::FrameSize, 3000, 8192}}},
        {"frames too short", {four, 48000, clm(16), 0}, {{Kind::FrameSize, 16, 8192}}},
        {"not dividing",
         {{four.begin(), four.end() - 5}, 48000, clm(2048), 0},
         {{Kind::DoesNotDivide, 2048, 8187}}},
        {"longer than the data",
         {{four.begin(), four.begin() + 1000}, 48000, clm(2048), 0},
         {{Kind::LongerThanData, 2048, 1000}}},
        {"no data", {{}, 48000, clm(2048), 0}, {{Kind::NoFrames, 2048, 0}}},
        {"past 4 GB",
         {four, 48000, clm(99999999999), 0},
         {{Kind::PastFourGigabytes, 1U << 30U, 8192}}},
        {"600 frames",
         {std::vector<float>(600 * 32, 0.5F), 48000, clm(32), 0},
         {{Kind::TooManyFrames, 32, 600}}},
        {"not numbers", {four, 48000, clm(2048), 3}, {{Kind::NotFinite, 0, 3}}},
        {"a recipe of more frames",
         {four, 48000, {clm(2048).clm, {}, "Tonvirta recipe 1, frames: 9\n"}, 0},
         {{Kind::RecipeClaimsMore, 9, 4}}},
        {"silent", {std::vector<float>(600), 44100, {}, 0}, {{Kind::Silent, 0, 0}}},
        {"a note", {std::vector<float>(9600, 0.5F), 48000, {}, 0}, std::nullopt},
        {"too short for a cycle", {std::vector<float>(31, 0.5F), 48000, {}, 0}, std::nullopt},
        {"a clm chunk of another kind", {four, 48000, {"wavetable", {}, {}}, 0}, std::nullopt},
    };
    for (const Case& each : cases) {
        const analysis::Periods periods = analysis::periodsOf(each.sound);
        if (!each.fault) {
            EXPECT_TRUE(std::holds_alternative<std::monostate>(periods)) << each.name;
            continue;
        }
        const auto fault = as<analysis::TableFault>(periods);
        EXPECT_EQ(std::tuple(fault.kind, fault.claimed, fault.held),
                  std::tuple(each.fault->kind, each.fault->claimed, each.fault->held))
            << each.name;
    }
}

// GIVEN frames Tonvirta wrote, fractions and phases included WHEN the file is read back THEN
// the recipe comes back exactly; and where a sample was changed elsewhere, or the recipe was,
// the samples hold and the recipe is set aside.
TEST(Wavetables, TonvirtasOwnTableComesBackExactlyUnlessItsSamplesDiffer) {
    const std::vector<editor::Step> saved{
        {{"100", "0", "12.3", "-40", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
          "0.5"},
         {0, 0, 45, -89, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 90}},
        editor::stepOf({{50, 20}, {0, 135}}), // -20 at -45: as the boxes take it
        editor::stepOf({})};
    ASSERT_EQ(saved[1].texts[1], "-20");
    std::vector<model::Timbre> timbres;
    for (const editor::Step& step : saved) {
        timbres.push_back(editor::timbreOf(step));
    }
    const QTemporaryDir folder;
    const std::string path = folder.filePath("table.wav").toStdString();
    const std::string recipe = editor::recipeText(saved);
    ASSERT_EQ(audio::exportWavetable(path, audio::wavetableOf(timbres), recipe), "");
    const auto sound = analysis::readSound(path);
    ASSERT_TRUE(sound && sound->chunks.recipe);
    EXPECT_EQ(sound->chunks.recipe->substr(0, recipe.size()), recipe);
    const auto table = as<analysis::Table>(analysis::periodsOf(*sound));
    EXPECT_EQ(table.recipe, saved);
    EXPECT_EQ(editor::stepOf(table.frames.moments[1].timbre), saved[1]);
    for (const auto& [change, broken] :
         {std::pair{std::function<void(analysis::Sound&)>(
                        [](analysis::Sound& s) { s.samples[2048 + 700] += 0.001F; }),
                    "a sample"},
          {[](analysis::Sound& s) {
               s.chunks.recipe->replace(s.chunks.recipe->find("12.3"), 4, "12.4");
           },
           "a text"},
          {[](analysis::Sound& s) {
               s.chunks.recipe->replace(s.chunks.recipe->find(" 90"), 3, " 91");
           },
           "a phase out of range"},
          {[](analysis::Sound& s) {
               s.chunks.recipe->replace(s.chunks.recipe->find("12.3"), 4, "1e1");
           },
           "a text no box holds"}}) {
        analysis::Sound edited = *sound;
        change(edited);
        const auto aside = as<analysis::Table>(analysis::periodsOf(edited));
        EXPECT_TRUE(aside.recipeSetAside && aside.recipe.empty()) << broken;
    }
}

} // namespace
