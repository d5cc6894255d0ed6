// The large view's frame at the largest size it takes, with everything on it, and a step of
// its time cursor through to both displays.
#include "app/Form1.h"
#include "largeview/LargeView.h"
#include "largeview/Picture.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// 30 s of a note whose harmonics each die at their own rate, a moment every 10 ms.
std::shared_ptr<const model::TimbreOverTime> thirtySeconds() {
    auto note = std::make_shared<model::TimbreOverTime>();
    for (int i = 0; i < 3000; ++i) {
        model::Moment moment{0.01 * i, 220.0 * (1.0 + 0.003 * std::sin(i * 0.3)), {}, 0.0};
        for (std::size_t k = 0; k < model::harmonicCount; ++k) {
            moment.timbre.amplitudes[k] = 100.0 / double(k + 1) * std::exp(-0.01 * i * double(k));
            moment.timbre.phases[k] = double((i * 7 + int(k) * 13) % 360 - 179);
        }
        note->moments.push_back(moment);
    }
    return note;
}

// SQUARE with phases, the harmonics, the target and its fit line (and from 2 on, the time panel
// of a 30 s note), into a 3840 x 2160 image of the format a window's backing store has.
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
    const auto note = thirtySeconds();
    // 2: as the cursor moves, the tracks' picture kept; 3: each frame drawn anew, as the first.
    scene.overTime = state.range(0) >= 2 ? note.get() : nullptr;
    largeview::TracksPicture kept;
    scene.tracksPicture = state.range(0) == 2 ? &kept : nullptr;
    scene.cursor = 1234;
    QImage image(3840, 2160, QImage::Format_ARGB32_Premultiplied);
    bool louder = false;
    for (auto _ : state) {
        scene.timbre.amplitudes[0] = (louder = !louder) ? 100 : 99;
        largeview::paint(image, scene);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LargeViewFrame4K)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// A step of the time cursor at 3840 x 2160: the moment loaded into the tone and the boxes, the
// large view and the designed window's display painted.
void BM_TimeCursorStep4K(benchmark::State& state) {
    app::Form1 window([](const forms::RuntimeError&) {});
    window.show();
    largeview::LargeView view(window.tone(), scope::plainFitWording, window);
    view.setNoteOverTime(thirtySeconds());
    view.resize(3840, 2160);
    view.show();
    auto* cursor = view.findChild<QWidget*>(QStringLiteral("timeCursor"));
    bool right = false;
    for (auto _ : state) {
        QTest::keyClick(cursor, (right = !right) ? Qt::Key_Right : Qt::Key_Left);
        QApplication::processEvents(); // the views paint as the window system asks
        window.redraw();
    }
    if (window.tone().amplitudes()[0] == 0.0 || !view.isVisible()) {
        state.SkipWithError("the cursor's step did not reach the tone");
    }
}
BENCHMARK(BM_TimeCursorStep4K)->Unit(benchmark::kMillisecond);

} // namespace
