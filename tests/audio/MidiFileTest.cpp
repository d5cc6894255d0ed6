#include "audio/MidiFile.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using audio::MidiScore;
using Kind = audio::NoteEvent::Kind;

std::vector<std::uint8_t> bytes(const std::string& hex) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(std::uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return out;
}

// A format 1 file of 96 ticks a quarter: a tempo track that halves the tempo at the second beat,
// and a track in running status with the pedal, a bend and a note on at velocity 0.
TEST(MidiFile, ReadsEveryTrackInTimeThroughTheTempoMapAndSaysWhatItCannotRead) {
    const std::string header = "4d546864000000060001000200"
                               "60";
    const std::string tempo = "4d54726b00000012"
                              "00ff510307a120"
                              "60ff51030f4240"
                              "00ff2f00";
    const std::string notes = "4d54726b00000017"
                              "00903c64"
                              "303c00"
                              "30b04040"
                              "00e00060"
                              "3090407f"
                              "00ff2f00";
    const MidiScore score = audio::readMidi(bytes(header + tempo + notes));
    ASSERT_EQ(score.problem, MidiScore::Problem::None);
    const std::vector<std::tuple<double, Kind, int, float>> expected{{0.0, Kind::On, 60, 100},
                                                                     {0.25, Kind::Off, 60, 0},
                                                                     {0.5, Kind::Sustain, 0, 1},
                                                                     {0.5, Kind::Bend, 0, 1.0F},
                                                                     {1.0, Kind::On, 64, 127}};
    ASSERT_EQ(score.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [seconds, kind, note, value] = expected[i];
        EXPECT_NEAR(score.events[i].seconds, seconds, 1e-9) << i;
        EXPECT_EQ(score.events[i].event.kind, kind) << i;
        EXPECT_EQ(score.events[i].event.note, note) << i;
        EXPECT_FLOAT_EQ(score.events[i].event.value, value) << i;
    }
    for (const auto& [hex, problem] : std::vector<std::pair<std::string, MidiScore::Problem>>{
             {"52494646", MidiScore::Problem::NotMidi},           // a WAV file's start
             {header.substr(0, 20), MidiScore::Problem::NotMidi}, // cut short
             {"4d546864000000060002000100"
              "60",
              MidiScore::Problem::Unplayable},
             {"4d5468640000000600000001e250", MidiScore::Problem::Unplayable}, // SMPTE time
             {header + tempo, MidiScore::Problem::NoNotes},
             {header + notes.substr(0, 30), MidiScore::Problem::Broken}}) {
        EXPECT_EQ(audio::readMidi(bytes(hex)).problem, problem) << hex;
    }
}

} // namespace
