// Sixteen voices of seventeen harmonics, each at its own phase: one second of sound, in the
// built timbre, and running through a recorded note's tracks.
#include "audio/NoteLife.h"
#include "audio/Voices.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

// A slowly dying note of 3 s, a moment every 10 ms, each harmonic at its own rate: the
// voices run on past its end for as long as the bench does.
std::shared_ptr<const audio::NoteLife> pluck() {
    auto note = std::make_shared<model::TimbreOverTime>();
    for (int i = 0; i < 300; ++i) {
        model::Moment m{i * 0.01, 220.0, {}, 0.0};
        for (std::size_t k = 0; k < 17; ++k) {
            m.timbre.amplitudes[k] = 100.0 / double(k + 1) * std::exp(-i * 0.0005 * double(k + 1));
        }
        note->moments.push_back(m);
    }
    return audio::lifeOf(note);
}

void BM_Voices16Second(benchmark::State& state) {
    audio::Voices voices(48000);
    audio::SoundSnapshot snapshot;
    if (state.range(0) == 1) {
        snapshot.life = pluck();
    }
    for (std::size_t k = 0; k < 17; ++k) {
        snapshot.timbre.amplitudes[k] = 100.0 / double(k + 1);
        snapshot.timbre.phases[k] = 10.0 * double(k);
    }
    snapshot.on = true;
    voices.set(snapshot);
    for (int note = 36; note < 36 + 16; ++note) {
        voices.handle({audio::NoteEvent::Kind::On, std::uint8_t(note), 100});
    }
    std::vector<float> block(480);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            std::fill(block.begin(), block.end(), 0.0F);
            voices.renderAdding(block);
        }
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(BM_Voices16Second)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
