// The tick: computing the 512 points, and drawing them.
#include "editor/Presets.h"
#include "forms/Conversions.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/qt/PictureBox.h"
#include "model/Tone.h"
#include "scope/Renderer.h"
#include "tests/support/LiteralSynthesis.h"

#include <benchmark/benchmark.h>

namespace {

// The box texts after a click on SQUARE.
std::array<std::string, 17> squareTexts() {
    std::array<std::string, 17> texts;
    texts.fill("0");
    for (const editor::Assignment& assignment : editor::presetRows[1]) {
        texts[assignment.box] = forms::integerToText(assignment.value);
    }
    return texts;
}

// The reference: every box text parsed again inside the inner loop, one sine per term.
void BM_SynthesisLiteral(benchmark::State& state) {
    const auto texts = squareTexts();
    for (auto _ : state) {
        benchmark::DoNotOptimize(testing_support::literalTrace(texts));
    }
}
BENCHMARK(BM_SynthesisLiteral);

void BM_Synthesis(benchmark::State& state) {
    const auto texts = squareTexts();
    const scope::Synthesis synthesis;
    for (auto _ : state) {
        scope::Amplitudes amplitudes{};
        for (std::size_t k = 0; k < 17; ++k) {
            amplitudes[k] = forms::strictNumber(texts[k]);
        }
        benchmark::DoNotOptimize(synthesis.trace({amplitudes}));
    }
}
BENCHMARK(BM_Synthesis);

// The renderer on a tone holding SQUARE, drawing into the display's 512 x 256 image.
struct TickRig {
    TickRig() {
        const auto square = squareTexts();
        std::copy(square.begin(), square.end(), texts.begin());
        tone.boxesSettled(texts);
    }
    // The first box settles on a text, as a keystroke in it does.
    void type(const char* first) {
        texts[0] = first;
        tone.boxesSettled(texts);
    }
    void tick() {
        renderer.tick();
        benchmark::DoNotOptimize(picture.image().constBits());
    }

    editor::Texts texts;
    model::Tone tone;
    forms::PictureBox picture{QSize(512, 256), forms::black};
    scope::Views& views = tone.views();
    scope::Renderer renderer{[this] { return tone.sceneIfNumbers(); }, picture};
};

// The first box settling on a new number, clearing the image, the zero line and the 512 segments
// drawn into the image. The picture changes every time, as when a slider is moving, so the image is
// really redrawn rather than found unchanged.
void BM_Tick(benchmark::State& state) {
    TickRig rig;
    bool louder = false;
    for (auto _ : state) {
        rig.type((louder = !louder) ? "100" : "99");
        rig.tick();
    }
}
BENCHMARK(BM_Tick);

// The same with a phase on every sounding harmonic: each then needs its cosine part too.
void BM_TickPhased(benchmark::State& state) {
    TickRig rig;
    rig.tone.setPhases({30, 0, -60, 0, 45, 0, 90, 0, -15, 0, 75});
    bool louder = false;
    for (auto _ : state) {
        rig.type((louder = !louder) ? "100" : "99");
        rig.tick();
    }
}
BENCHMARK(BM_TickPhased);

// The same with every view on: the six sounding harmonics, SQUARE's target and its fit.
void BM_TickAllViews(benchmark::State& state) {
    TickRig rig;
    rig.views.harmonics = true;
    rig.views.target = true;
    rig.views.aim = scope::Target::ideal(scope::Target::Ideal::Square, 100.0);
    bool louder = false;
    for (auto _ : state) {
        rig.type((louder = !louder) ? "100" : "99");
        rig.tick();
    }
}
BENCHMARK(BM_TickAllViews);

// The same tick when nothing has changed since the last: the common case, ten times a second.
void BM_TickUnchanged(benchmark::State& state) {
    TickRig rig;
    for (auto _ : state) {
        rig.tick();
    }
}
BENCHMARK(BM_TickUnchanged);

} // namespace
