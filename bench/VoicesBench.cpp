// Sixteen voices of seventeen harmonics, each at its own phase: one second of sound.
#include "audio/Voices.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

void BM_Voices16Second(benchmark::State& state) {
    audio::Voices voices(48000);
    audio::SoundSnapshot snapshot;
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
BENCHMARK(BM_Voices16Second)->Unit(benchmark::kMillisecond);

} // namespace
