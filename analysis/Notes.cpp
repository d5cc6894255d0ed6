#include "Notes.h"

#include "SoundAnalysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace analysis {
namespace {

// The centre of a swing is its average over a Hann window this long each side: its first zero
// falls at 3 Hz, so a vibrato of 3 Hz or faster averages out to within a few cents.
constexpr double centreSeconds = 1.0 / 3.0;
// How far a note's centre may move: a glide or a change of note moves it further.
constexpr double holdCents = 17.0; // 1 %
// How far a pitch may swing about its centre and still be one note, and jump between frames.
constexpr double swingCents = 120.0;
constexpr double jumpCents = 150.0;
constexpr double heldCents = 10.0; // a swing smaller than this is no vibrato
const double loudRatio = std::pow(10.0, -3.0 / 20.0);

double centsOf(double hz) {
    return 1200.0 * std::log2(hz / 440.0);
}

// Each frame's centre, over a window shrunk near the run's ends to stay even about the frame,
// so that an end never pulls a centre towards its side of the swing.
std::vector<double> centres(std::span<const double> cents, std::size_t reach) {
    std::vector<double> out(cents.size());
    for (std::size_t f = 0; f < cents.size(); ++f) {
        const std::size_t h = std::min({reach, f, cents.size() - 1 - f});
        double sum = 0.0;
        double weights = 0.0;
        for (std::size_t j = f - h; j <= f + h; ++j) {
            const double w =
                0.5 + 0.5 * std::cos(std::numbers::pi * (double(j) - double(f)) / double(h + 1));
            sum += w * cents[j];
            weights += w;
        }
        out[f] = sum / weights;
    }
    return out;
}

struct Candidate {
    std::size_t first = 0;
    std::size_t last = 0;
    double peak = 0.0;
    bool inRange = false;
};

// Loudness over the same window as the centre: a vibrato's loudness swings with its pitch, by
// more than 3 dB on a violin, and that swing is not the note getting quieter.
using Levels = std::vector<double>;

// Every longest note starting at each frame of one voiced run.
void addNotes(std::span<const Frame> frames, std::size_t begin, std::size_t end, std::size_t reach,
              std::size_t shortest, double lowHz, double highHz, std::vector<Candidate>& notes,
              Levels& levels) {
    std::vector<double> cents;
    std::vector<double> rms;
    for (std::size_t f = begin; f < end; ++f) {
        cents.push_back(centsOf(frames[f].hz));
        rms.push_back(frames[f].rms);
    }
    const std::vector<double> centre = centres(cents, reach);
    const std::vector<double> level = centres(rms, reach);
    std::copy(level.begin(), level.end(), levels.begin() + long(begin));
    std::size_t reached = 0;
    for (std::size_t i = 0; i < cents.size(); ++i) {
        double low = centre[i];
        double high = centre[i];
        std::size_t j = i;
        for (; j < cents.size(); ++j) {
            low = std::min(low, centre[j]);
            high = std::max(high, centre[j]);
            if (high - low > holdCents || std::abs(cents[j] - centre[j]) > swingCents) {
                break;
            }
        }
        if (j - i >= shortest && j > reached) {
            reached = j;
            Candidate note{begin + i, begin + j, 0.0, false};
            for (std::size_t f = note.first; f < note.last; ++f) {
                note.peak = std::max(note.peak, levels[f]);
            }
            const double hz = frames[(note.first + note.last) / 2].hz;
            note.inRange = hz >= lowHz && hz <= highHz;
            notes.push_back(note);
        }
    }
}

// The part of a note within 3 dB of its loudest frame, at least shortest frames of it, less an
// end frame where an attack or a release may still be.
Note loudPart(std::span<const Frame> frames, const Levels& levels, const Candidate& note,
              std::size_t shortest) {
    const std::size_t trim = note.last - note.first > shortest + 1 ? 1 : 0;
    const std::size_t first = note.first + trim;
    const std::size_t last = note.last - trim;
    std::size_t peak = first;
    for (std::size_t f = first; f < last; ++f) {
        peak = levels[f] > levels[peak] ? f : peak;
    }
    std::size_t from = peak;
    std::size_t to = peak + 1;
    while (from > first && levels[from - 1] >= loudRatio * levels[peak]) {
        --from;
    }
    while (to < last && levels[to] >= loudRatio * levels[peak]) {
        ++to;
    }
    while (to - from < shortest && to < last) {
        ++to;
    }
    while (to - from < shortest && from > first) {
        --from;
    }
    return {from, to, frames[(from + to) / 2].hz, false};
}

} // namespace

std::optional<Note> pickNote(std::span<const Frame> frames, double framesPerSecond,
                             std::size_t shortestFrames, double lowHz, double highHz) {
    const auto reach = std::size_t(std::lround(centreSeconds * framesPerSecond));
    std::vector<Candidate> notes;
    Levels levels(frames.size());
    for (std::size_t begin = 0; begin < frames.size();) {
        std::size_t end = begin;
        while (end < frames.size() && frames[end].hz > 0.0 &&
               (end == begin ||
                std::abs(centsOf(frames[end].hz) - centsOf(frames[end - 1].hz)) <= jumpCents)) {
            ++end;
        }
        if (end > begin) {
            addNotes(frames, begin, end, reach, shortestFrames, lowHz, highHz, notes, levels);
        }
        begin = std::max(end, begin + 1);
    }
    const bool anyInRange =
        std::any_of(notes.begin(), notes.end(), [](auto& n) { return n.inRange; });
    std::erase_if(notes, [&](auto& n) { return n.inRange != anyInRange; });
    if (notes.empty()) {
        return std::nullopt;
    }
    const double loudest = std::max_element(notes.begin(), notes.end(), [](auto& a, auto& b) {
                               return a.peak < b.peak;
                           })->peak;
    const Candidate* best = nullptr;
    for (const Candidate& note : notes) {
        if (note.peak >= loudRatio * loudest &&
            (best == nullptr || note.last - note.first > best->last - best->first)) {
            best = &note;
        }
    }
    Note picked = loudPart(frames, levels, *best, shortestFrames);
    const double centre = centsOf(picked.hz);
    for (std::size_t f = picked.first; f < picked.last; ++f) {
        picked.swings = picked.swings || std::abs(centsOf(frames[f].hz) - centre) > heldCents;
    }
    return picked;
}

std::string noteName(double hz) {
    static constexpr std::array<const char*, 12> names{"C",  "C#", "D",  "D#", "E",  "F",
                                                       "F#", "G",  "G#", "A",  "A#", "B"};
    const long midi = std::lround(12.0 * std::log2(hz / 440.0)) + 69;
    return names[std::size_t(((midi % 12) + 12) % 12)] + std::to_string(midi / 12 - 1);
}

} // namespace analysis
