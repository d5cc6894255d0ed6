// Playing notes through the real window on a private PipeWire server, recorded from its null
// sink's monitor: the computer's keys, the keys on screen, and a MIDI file sent into the port.
#include "audio/Voices.h"
#include "audio/qt/QtSoundOutput.h"
#include "keyboard/qt/PianoView.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"
#include "tests/support/PrivateSoundServer.h"

#include <QKeyEvent>
#include <QTemporaryDir>

namespace {

using testing_support::eventually;
using Kind = testing_support::PrivateSoundServer::Kind;

double hz(int note) {
    return 440.0 * std::exp2((note - 69) / 12.0);
}

// A MIDI file of one track: events as (milliseconds, bytes), at 1 ms a tick, in any order.
QByteArray midiFile(std::vector<std::pair<int, QByteArray>> events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QByteArray track;
    const auto quantity = [&track](unsigned value) {
        QByteArray bytes(1, char(value & 0x7F));
        while ((value >>= 7) != 0) {
            bytes.prepend(char(0x80 | (value & 0x7F)));
        }
        track += bytes;
    };
    track += QByteArray::fromHex("00ff510307a120"); // 500 ms a quarter
    int last = 0;
    for (const auto& [ms, bytes] : events) {
        quantity(unsigned(ms - last));
        track += bytes;
        last = ms;
    }
    track += QByteArray::fromHex("00ff2f00");
    const auto number = [](quint32 v, int size) {
        QByteArray b;
        for (int i = size - 1; i >= 0; --i) {
            b += char((v >> (8 * i)) & 0xFF);
        }
        return b;
    };
    return "MThd" + number(6, 4) + number(0, 2) + number(1, 2) + number(500, 2) + "MTrk" +
           number(quint32(track.size()), 4) + track;
}

QByteArray on(int note, int velocity = 100) {
    return QByteArray::fromHex("90") + char(note) + char(velocity);
}
QByteArray off(int note) {
    return QByteArray::fromHex("80") + char(note) + char(0);
}

// Started before the window, so that the window finds it; its cycles of 21 ms leave a loaded
// machine's scheduler room enough that what is recorded is what the program played.
struct PipeWireFirst {
    testing_support::PrivateSoundServer server{Kind::PipeWire, 1024};
    bool started = server.start();
};

class PlayingNotes : protected PipeWireFirst, public testing_support::Form1Fixture {
protected:
    PlayingNotes() : Form1Fixture(std::make_unique<audio::QtSoundOutput>()) {}
    ~PlayingNotes() override { close(); }
    void SetUp() override { ASSERT_TRUE(started) << "run scripts/install-deps"; }

    keyboard::PianoView& piano() {
        return *window->findChild<QWidget*>("keyboardWindow")->findChild<keyboard::PianoView*>();
    }
    // A key of the computer's keyboard by its place, as X11 tells it.
    void key(QEvent::Type type, unsigned code) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, code, 0, 0);
        QApplication::sendEvent(&oscil(), &event);
    }
    // True once PipeWire lists our port, linked to the graph's MIDI sources.
    static bool portListed() {
        return eventually([] {
            QProcess links;
            links.start("pw-link", {"-i"});
            links.waitForFinished();
            return links.readAllStandardOutput().contains("Tonvirta:input");
        });
    }
    // The file made of these events, sent into the port by pw-midiplay while the sink is
    // recorded for the given time: left to the session manager, as a sequencer would be, or told
    // to wait for a target, which we link.
    std::vector<float> sendAndRecord(std::vector<std::pair<int, QByteArray>> events, int ms,
                                     bool leftToPolicy = true) {
        QTemporaryDir folder;
        QFile file(folder.filePath("test.mid"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(midiFile(std::move(events)));
        file.close();
        SinkRecorder recorder;
        QProcess player;
        player.start("pw-midiplay", leftToPolicy ? QStringList{file.fileName()}
                                                 : QStringList{"--target", "0", file.fileName()});
        auto samples = recorder.samples(std::size_t(48 * ms));
        EXPECT_TRUE(player.state() == QProcess::NotRunning || player.waitForFinished(10000));
        return samples;
    }
    // A quarter of a second of what is heard now, a little after now.
    std::vector<float> listen() {
        SinkRecorder recorder;
        auto samples = recorder.samples(24000);
        return {samples.begin() + std::min<std::ptrdiff_t>(12000, std::ssize(samples)),
                samples.end()};
    }
};

// GIVEN SIN at full volume and Play on WHEN keys are pressed and released on the computer's
// keyboard and on screen THEN each note sounds at its pitch in place of the held tone, and
// silence follows the last release.
TEST_F(PlayingNotes, FromTheComputersKeysAndTheKeysOnScreen) {
    button(4).click();
    menuItem("100 %").trigger();
    onDisplay("k");
    ASSERT_TRUE(eventually([this] { return tone::peak(listen()) < 1e-4; })) << "the held tone goes";
    struct Step {
        const char* what;
        std::function<void()> act;
        double hz; // 0: silence
    } const steps[] = {
        {"Z: C4", [this] { key(QEvent::KeyPress, 52); }, hz(60)},
        {"Z up", [this] { key(QEvent::KeyRelease, 52); }, 0},
        {"= then 2: C#5 an octave up",
         [this] {
             key(QEvent::KeyPress, 21);
             key(QEvent::KeyRelease, 21);
             key(QEvent::KeyPress, 11);
         },
         hz(73 + 12)},
        {"2 up", [this] { key(QEvent::KeyRelease, 11); }, 0},
        {"the mouse on A",
         [this] {
             const auto r = piano().layout().keyRect(81); // the octave on screen follows the keys
             QTest::mousePress(&piano(), Qt::LeftButton, {},
                               QPoint(int(r[0] + r[2] / 2), int(r[3] * 0.9)));
         },
         hz(81)},
        {"glided onto B",
         [this] {
             const auto r = piano().layout().keyRect(83);
             QTest::mouseMove(&piano(), QPoint(int(r[0] + r[2] / 2), int(r[3] * 0.9)));
         },
         hz(83)},
        {"released", [this] { QTest::mouseRelease(&piano(), Qt::LeftButton, {}, QPoint(1, 1)); },
         0},
    };
    for (const Step& step : steps) {
        step.act();
        const auto heard = listen();
        if (step.hz == 0) {
            EXPECT_LT(tone::peak(heard), 1e-4) << step.what;
        } else {
            EXPECT_NEAR(tone::cents(tone::frequency(heard), step.hz), 0, 5) << step.what;
            EXPECT_NEAR(tone::level(heard, step.hz), 0.25 * 100 / 127 * audio::Voices::voiceGain,
                        0.01)
                << step.what;
        }
    }
    // The display's single-letter keys wait while Play is on, and come back when Escape ends it.
    QTest::keyClick(&oscil(), Qt::Key_T);
    EXPECT_FALSE(menuItem("Show target").isChecked());
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    EXPECT_FALSE(menuItem("Play").isChecked());
    onDisplay("t");
    EXPECT_TRUE(menuItem("Show target").isChecked());
}

// GIVEN Play on WHEN a MIDI file is sent into the port THEN a scale is heard note by note at its
// pitches, a chord of four together, the pedal holds a note, a bend raises it two semitones, and
// 20 notes at once neither click nor clip; after the last, silence.
TEST_F(PlayingNotes, FromAMidiFileSentIntoThePort) {
    button(4).click();
    menuItem("100 %").trigger();
    onDisplay("k");
    std::vector<std::pair<int, QByteArray>> events;
    const int scale[] = {60, 62, 64, 65, 67, 69, 71, 72};
    // From 1 s, one every 300 ms, each held 200 ms: the silence between them outlasts the release
    // however the server's 21 ms cycles place each event.
    for (int i = 0; i < 8; ++i) {
        events.push_back({1000 + 300 * i, on(scale[i])});
        events.push_back({1000 + 300 * i + 200, off(scale[i])});
    }
    for (const int note : {48, 52, 55, 60}) { // 3.6 s
        events.push_back({3600, on(note)});
    }
    for (const int note : {48, 52, 55, 60}) {
        events.push_back({4100, off(note)});
    }
    events.push_back({4400, QByteArray::fromHex("b04040")}); // pedal down
    events.push_back({4400, on(69)});
    events.push_back({4500, off(69)});                       // still heard at 4.8 s
    events.push_back({5000, QByteArray::fromHex("e07f7f")}); // bent right up: B4
    events.push_back({5300, QByteArray::fromHex("e00040")});
    events.push_back({5300, QByteArray::fromHex("b04000")}); // pedal up
    for (int n = 0; n < 20; ++n) {                           // 5.6 s
        events.push_back({5600, on(40 + 2 * n, 127)});
        events.push_back({5900, off(40 + 2 * n)});
    }
    ASSERT_TRUE(portListed());
    // The recording starts with the player: find the first note's start to line the file up.
    // Told to wait, the player is linked by us a second after it appears.
    const auto samples = sendAndRecord(events, 8500, false);
    ASSERT_GT(samples.size(), 48000U * 6);
    const auto start =
        std::find_if(samples.begin(), samples.end(), [](float s) { return std::fabs(s) > 1e-3; });
    ASSERT_NE(start, samples.end());
    const std::size_t zero = std::size_t(start - samples.begin()) - 48; // at 1 s of the file
    ASSERT_LE(zero + std::size_t(48 * 5300), samples.size()) << "the whole file recorded";
    const auto at = [&](int ms, int length = 120) {
        return std::span(samples).subspan(zero + std::size_t(ms - 1000) * 48,
                                          std::size_t(length) * 48);
    };
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(tone::cents(tone::frequency(at(1000 + 300 * i + 50)), hz(scale[i])), 0, 5)
            << "note " << i << " of the scale";
    }
    int heard = 0; // notes starting out of silence, 5 ms at a time
    bool sounding = false;
    for (int ms = 1000; ms < 3500; ms += 5) {
        const float level = tone::peak(at(ms, 5));
        heard += !sounding && level > 0.05F ? 1 : 0;
        sounding = level > (sounding ? 0.005F : 0.05F);
    }
    EXPECT_EQ(heard, 8) << "the scale's notes, each once";
    for (const int note : {48, 52, 55, 60}) {
        EXPECT_GT(tone::level(at(3700, 300), hz(note)), 0.03) << "the chord's " << note;
    }
    EXPECT_NEAR(tone::cents(tone::frequency(at(4750)), hz(69)), 0, 5) << "held by the pedal";
    EXPECT_NEAR(tone::cents(tone::frequency(at(5100)), hz(71)), 0, 5) << "bent up";
    EXPECT_LE(tone::peak(samples), 0.99F) << "never clipped";
    EXPECT_LT(tone::largestStep(samples), 0.1F) << "no click";
    EXPECT_LT(tone::peak(at(6050, 200)), 1e-4) << "silence after the last";
}

// GIVEN Play on, its port on the graph WHEN PipeWire ends as in a crash and starts again THEN
// the port is back on the new graph, and a note sent into it is heard.
TEST_F(PlayingNotes, AfterPipeWireStartsAgain) {
    button(4).click();
    menuItem("100 %").trigger();
    onDisplay("k");
    ASSERT_TRUE(portListed());
    server.kill();
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(portListed()) << "the port on the new graph";
    // Sound itself comes back on its own time: a note is sent until one is heard.
    const bool heard = eventually(
        [this] {
            const auto samples = sendAndRecord({{500, on(69)}, {1500, off(69)}}, 2500);
            const auto start = std::find_if(samples.begin(), samples.end(),
                                            [](float s) { return std::fabs(s) > 0.05F; });
            return samples.end() - start > 48 * 600 &&
                   std::fabs(tone::cents(tone::frequency(std::span(start + 4800, 24000)), hz(69))) <
                       5;
        },
        20000);
    EXPECT_TRUE(heard);
}

} // namespace
