#include "MidiFile.h"

#include <algorithm>
#include <array>
#include <map>

namespace audio {
namespace {

// Bytes read in order; reading past the end leaves the reader failed, not the program.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    [[nodiscard]] bool failed() const { return failed_; }
    [[nodiscard]] bool atEnd() const { return at_ >= bytes_.size(); }
    [[nodiscard]] std::size_t left() const { return failed_ ? 0 : bytes_.size() - at_; }

    std::uint8_t byte() {
        if (at_ >= bytes_.size()) {
            failed_ = true;
            return 0;
        }
        return bytes_[at_++];
    }
    std::uint32_t number(int size) {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            value = (value << 8U) | byte();
        }
        return value;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    std::uint32_t quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = (value << 7U) | (b & 0x7FU);
            if ((b & 0x80U) == 0) {
                return value;
            }
        }
        failed_ = true;
        return 0;
    }
    std::span<const std::uint8_t> take(std::size_t size) {
        if (size > left()) {
            failed_ = true;
            return {};
        }
        const auto part = bytes_.subspan(at_, size);
        at_ += size;
        return part;
    }
    std::uint8_t peek() const { return at_ < bytes_.size() ? bytes_[at_] : 0; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

struct TickEvent {
    std::uint64_t tick;
    NoteEvent event;
};

// One track's events, and the tempo changes it holds (tick -> microseconds a quarter).
bool readTrack(std::span<const std::uint8_t> track, std::vector<TickEvent>& events,
               std::map<std::uint64_t, std::uint32_t>& tempos) {
    Reader in(track);
    std::uint64_t tick = 0;
    std::uint8_t status = 0;
    while (!in.atEnd() && !in.failed()) {
        tick += in.quantity();
        std::uint8_t first = in.peek();
        if ((first & 0x80U) != 0) {
            status = in.byte();
        } else if (status == 0) {
            return false; // running status with nothing to run on
        }
        if (status == 0xFF) {
            const std::uint8_t type = in.byte();
            const auto data = in.take(in.quantity());
            if (type == 0x51 && data.size() == 3) {
                tempos[tick] =
                    (std::uint32_t(data[0]) << 16U) | (std::uint32_t(data[1]) << 8U) | data[2];
            }
            if (type == 0x2F) {
                break;
            }
            status = 0;
        } else if (status == 0xF0 || status == 0xF7) {
            in.take(in.quantity());
            status = 0;
        } else {
            const std::size_t size = (status & 0xF0U) == 0xC0 || (status & 0xF0U) == 0xD0 ? 1 : 2;
            std::array<std::uint8_t, 3> message{status, in.byte(), 0};
            if (size == 2) {
                message[2] = in.byte();
            }
            NoteEvent event;
            if (noteEventOf(std::span(message).first(size + 1), event)) {
                events.push_back({tick, event});
            }
        }
    }
    return !in.failed();
}

} // namespace

bool noteEventOf(std::span<const std::uint8_t> message, NoteEvent& event) {
    if (message.size() < 3) {
        return false;
    }
    const std::uint8_t data1 = message[1] & 0x7FU;
    const std::uint8_t data2 = message[2] & 0x7FU;
    switch (message[0] & 0xF0U) {
    case 0x90:
        event = {data2 == 0 ? NoteEvent::Kind::Off : NoteEvent::Kind::On, data1, float(data2)};
        return true;
    case 0x80:
        event = {NoteEvent::Kind::Off, data1, 0.0F};
        return true;
    case 0xB0:
        if (data1 == 64) {
            event = {NoteEvent::Kind::Sustain, 0, data2 >= 64 ? 1.0F : 0.0F};
            return true;
        }
        if (data1 == 120 || data1 == 123) {
            event = {NoteEvent::Kind::AllOff, 0, data1 == 120 ? 1.0F : 0.0F};
            return true;
        }
        return false;
    case 0xE0:
        event = {NoteEvent::Kind::Bend, 0,
                 float((double((unsigned(data2) << 7U) | data1) - 8192.0) / 8192.0 * 2.0)};
        return true;
    default:
        return false;
    }
}

MidiScore readMidi(std::span<const std::uint8_t> bytes) {
    MidiScore score;
    Reader in(bytes);
    if (in.number(4) != 0x4D546864 || in.number(4) < 6) { // "MThd"
        score.problem = MidiScore::Problem::NotMidi;
        return score;
    }
    const std::uint32_t format = in.number(2);
    const std::uint32_t tracks = in.number(2);
    const std::uint32_t division = in.number(2);
    if (in.failed() || format > 1 || division == 0 || (division & 0x8000U) != 0) {
        score.problem = in.failed() || format > 2 ? MidiScore::Problem::NotMidi
                                                  : MidiScore::Problem::Unplayable;
        return score;
    }
    std::vector<TickEvent> events;
    std::map<std::uint64_t, std::uint32_t> tempos{{0, 500000}};
    for (std::uint32_t t = 0; t < tracks && !in.atEnd(); ++t) {
        const std::uint32_t id = in.number(4);
        const auto chunk = in.take(in.number(4));
        if (in.failed()) {
            score.problem = MidiScore::Problem::Broken; // cut short
            return score;
        }
        if (id == 0x4D54726B && !readTrack(chunk, events, tempos)) { // "MTrk"
            score.problem = MidiScore::Problem::Broken;
            return score;
        }
    }
    if (events.empty()) {
        score.problem = MidiScore::Problem::NoNotes;
        return score;
    }
    // Events at one tick keep the order of their tracks, and of each track.
    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
    // Ticks to seconds through the tempo map.
    auto tempo = tempos.begin();
    double seconds = 0.0;
    std::uint64_t at = 0;
    for (const TickEvent& e : events) {
        while (std::next(tempo) != tempos.end() && std::next(tempo)->first <= e.tick) {
            seconds += double(std::next(tempo)->first - at) * tempo->second / 1e6 / division;
            at = std::next(tempo)->first;
            ++tempo;
        }
        score.events.push_back(
            {seconds + double(e.tick - at) * tempo->second / 1e6 / division, e.event});
    }
    return score;
}

} // namespace audio
