// The large view's frame at the largest size it takes, with everything on it.
#include "largeview/Picture.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

// SQUARE with phases, the harmonics, the target and its fit line, into a 3840 x 2160 image of
// the format a window's backing store has.
void BM_LargeViewFrame4K(benchmark::State& state) {
    scope::Views views;
    views.harmonics = state.range(0) != 0;
    views.target = state.range(0) != 0;
    views.aim = scope::Target::ideal(scope::Target::Ideal::Square, 100.0);
    largeview::Scene scene;
    scene.timbre.amplitudes = {100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1};
    scene.timbre.phases = {30, 0, -60, 0, 45, 0, 90, 0, -15, 0, 75};
    scene.heard = scene.timbre.phases;
    scene.harmonics = views.harmonics;
    scene.aim = views.target ? &*views.aim : nullptr;
    scene.focused = 2;
    scene.fit = QStringLiteral("RMS error 40.1 %   overshoot +12.0 %");
    scene.scaleNote = QStringLiteral("Top of the wave: %1");
    scene.harmonicsNote = QStringLiteral("Harmonics:");
    scene.chartNote = QStringLiteral("Amplitudes (D: decibels) and phases");
    QImage image(3840, 2160, QImage::Format_ARGB32_Premultiplied);
    bool louder = false;
    for (auto _ : state) {
        scene.timbre.amplitudes[0] = (louder = !louder) ? 100 : 99;
        largeview::paint(image, scene);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LargeViewFrame4K)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
