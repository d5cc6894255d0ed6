#include "analysis/SoundAnalysis.h"
#include "analysis/Tracks.h"
#include "analysis/Wavetables.h"
#include "audio/Resynthesis.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <sndfile.h>
#include <vector>

namespace {

// A note with odd harmonics, as a clarinet plays it.
std::vector<float> clarinet(double seconds, double rate) {
    std::vector<float> samples(std::size_t(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2.0 * std::numbers::pi * 196.0 * double(i) / rate;
        samples[i] =
            float(0.3 * std::sin(phase) - 0.12 * std::sin(3 * phase) + 0.06 * std::sin(5 * phase));
    }
    return samples;
}

// The largest wavetable Tonvirta opens, 512 frames of 8192, each frame taken apart exactly.
void BM_OpenLargestWavetable(benchmark::State& state) {
    analysis::Sound table{
        clarinet(512 * 8192 / 48000.0 + 1.0, 48000.0), 48000.0, {"<!>8192", {}, {}}, 0};
    table.samples.resize(512 * 8192);
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis::periodsOf(table));
    }
}
BENCHMARK(BM_OpenLargestWavetable)->Unit(benchmark::kMillisecond);

void BM_Analyse30Seconds(benchmark::State& state) {
    const auto samples = clarinet(30.0, 48000.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis::analyse(samples, 48000.0));
    }
}
BENCHMARK(BM_Analyse30Seconds)->Unit(benchmark::kMillisecond);

// A note's life, 30 s of it, taken apart every 10 ms; and rebuilt.
void BM_Tracks30Seconds(benchmark::State& state) {
    const auto samples = clarinet(30.0, 48000.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis::tracksOf(samples, 48000.0));
    }
}
BENCHMARK(BM_Tracks30Seconds)->Unit(benchmark::kMillisecond);

void BM_Resynthesis30Seconds(benchmark::State& state) {
    const auto samples = clarinet(30.0, 48000.0);
    const auto note = analysis::tracksOf(samples, 48000.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(audio::resynthesis(*note, 48000.0, samples.size()));
    }
}
BENCHMARK(BM_Resynthesis30Seconds)->Unit(benchmark::kMillisecond);

// The whole program on the command line, on a WAV file half an hour long: wall time.
void BM_AnalyseCommandHalfHour(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "tonvirta-bench-half-hour.wav";
    SF_INFO info{0, 48000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    const auto minute = clarinet(60.0, 48000.0);
    for (int i = 0; i < 30; ++i) {
        sf_writef_float(file, minute.data(), sf_count_t(minute.size()));
    }
    sf_close(file);
    const std::string command =
        std::string(TONVIRTA_BINARY) + " --analyse " + path.string() + " >/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tonvirta --analyse failed");
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_AnalyseCommandHalfHour)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
