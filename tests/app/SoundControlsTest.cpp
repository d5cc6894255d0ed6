// Sound on the real window, with a stand-in for the audio device.
#include "audio/Synthesizer.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>

namespace {

// Records what the window hands to the audio side.
class RecordingOutput final : public audio::SoundOutput {
public:
    [[nodiscard]] std::string unavailableReason() const override { return reason; }
    [[nodiscard]] bool answered() const override { return reason.empty() && everAnswered; }
    void publish(const audio::SoundSnapshot& snapshot) override { published.push_back(snapshot); }
    void play(const audio::NoteEvent& event) override { notes.push_back(event.kind); }
    void fail(std::string why) {
        reason = std::move(why);
        raiseAvailabilityChanged();
    }

    std::vector<audio::SoundSnapshot> published;
    std::vector<audio::NoteEvent::Kind> notes;
    std::string reason;
    bool everAnswered = true;
};

class SoundControlsTest : public testing_support::Form1Fixture {
protected:
    SoundControlsTest() : SoundControlsTest(new RecordingOutput) {}
    explicit SoundControlsTest(RecordingOutput* made) // the window takes it over
        : Form1Fixture(std::unique_ptr<audio::SoundOutput>(made)), output(*made) {}

    QAction& sound() { return child<QAction>(QStringLiteral("soundAction")); }
    void pressCtrlP() { QTest::keyClick(&box(4), Qt::Key_P, Qt::ControlModifier); }
    const audio::SoundSnapshot& last() { return output.published.back(); }

    RecordingOutput& output;
};

// Ctrl+P and the menu switch the sound; each pitch and volume item is heard as it says: one
// harmonic at 200 plays at half of full scale times the volume.
TEST_F(SoundControlsTest, CtrlPAndTheMenuToggleSoundAndEveryPitchAndVolumeIsHeardAsItSays) {
    EXPECT_FALSE(sound().isChecked()) << "sound is off at start";
    typeOver(0, "200");
    pressCtrlP();
    EXPECT_EQ(std::tuple(last().on, last().pitchHz, last().volume), std::tuple(true, 220.0, 0.5));
    for (const auto& [pitch, volume] :
         {std::pair{55, 25}, {110, 50}, {220, 75}, {440, 100}, {880, 25}}) {
        menuItem(QStringLiteral("%1 Hz").arg(pitch)).trigger();
        menuItem(QStringLiteral("%1 %").arg(volume)).trigger();
        audio::Synthesizer synthesizer(48000);
        synthesizer.set(last());
        std::vector<float> samples(48000);
        synthesizer.render(samples); // past the ramp
        synthesizer.render(samples);
        EXPECT_NEAR(tone::level(samples, pitch), volume / 200.0, 0.002) << pitch << " Hz";
    }
    menuItem("Sound").trigger();
    EXPECT_FALSE(last().on);
    EXPECT_FALSE(menuItem("220 Hz").isChecked());
}

// Once a user's action has been handled, in one piece: a preset's clearing never sounds.
TEST_F(SoundControlsTest, HandsOverTheAmplitudesOnceEachActionIsHandled) {
    pressCtrlP();
    typeOver(2, "250");
    EXPECT_TRUE(testing_support::eventually([&] { return last().timbre.amplitudes[2] == 200.0; }));
    QTest::mouseClick(&button(4), Qt::LeftButton);
    const std::size_t before = output.published.size();
    ASSERT_TRUE(testing_support::eventually([&] { return output.published.size() == before + 1; }));
    QTest::qWait(20);
    EXPECT_EQ(output.published.size(), before + 1);
    EXPECT_EQ(last().timbre.amplitudes, (model::Amplitudes{100}));
}

// The game's level by ear is chosen only while the sound plays, and shows nothing of any target
// whatever was shown before; W plays the hidden wave, W again the sum; the round waits out a loss
// of the sound, and the views come back with the game's end.
TEST_F(SoundControlsTest, TheGamesLevelByEarIsHeardOnlyAndWaitsForTheSound) {
    QTest::mouseClick(&button(2), Qt::LeftButton); // SAW RIGHT, its target shown
    onDisplay("t");
    pressCtrlP();
    onDisplay("g6");
    EXPECT_TRUE(menuItem("Level 6, by ear: 2–4 of harmonics 1–9").isChecked());
    const auto nothingButTheSum = [this] {
        return std::pair(count(qRgb(120, 120, 120)), oscil().captionText());
    };
    const QString level6 = "Wave game: level 6, score 0   hearing ";
    EXPECT_EQ(nothingButTheSum(), std::pair(0, level6 + "your sum (W: the hidden wave)"));
    const std::array<double, 17> silence{};
    std::array<double, 17> hidden{};
    for (const bool heard : {false, true, false}) { // from silence, to the hidden wave and back
        ASSERT_TRUE(testing_support::eventually(
            [&] { return (last().timbre.amplitudes != silence) == heard; }));
        hidden = heard ? last().timbre.amplitudes : hidden;
        QTest::keyClick(&oscil(), Qt::Key_W);
    }
    output.fail("waiting for a sound server");
    EXPECT_EQ(child<QLabel>("note").text(),
              "The sound has stopped, and level 6 is only heard: your round waits for the sound "
              "to come back.");
    EXPECT_FALSE(menuItem("Level 6, by ear (needs sound)").isEnabled());
    output.fail("");
    QTest::keyClick(&oscil(), Qt::Key_A);
    EXPECT_EQ(numbers(), hidden) << "the answer is the wave heard, the round kept";
    EXPECT_EQ(nothingButTheSum(), std::pair(0, level6 + "the hidden wave (W: your sum)"))
        << "what is heard is said, never drawn";
    onDisplay("g");
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 100; }));
}

TEST_F(SoundControlsTest, WhileTheServerIsAwaySoundSaysWhyAndKeepsTheChoiceForItsReturn) {
    pressCtrlP();
    output.fail("waiting for a sound server");
    EXPECT_EQ(sound().text(), "Sound (waiting for a sound server)");
    EXPECT_EQ(child<QLabel>("note").text(), "No sound: waiting for a sound server.");
    EXPECT_TRUE(sound().isEnabled()) << "it can still be switched off";
    output.fail("");
    EXPECT_EQ(std::pair(sound().text(), child<QLabel>("note").text()),
              std::pair(QString("Sound"), QString("The sound is back.")));
    EXPECT_TRUE(sound().isChecked()) << "on, as when the server went away";
}

// GIVEN Play WHEN no server answers, a key held down is released in a box, a file ends with the
// pedal down and a note never let go, or every amplitude is 0 THEN Play stays off and says why, the
// notes end, the silence is said, and Play leaves the sound as it found it.
TEST_F(SoundControlsTest, PlayEndsWhatItStartedAndLeavesTheSoundAsItFoundIt) {
    using Kind = audio::NoteEvent::Kind;
    const auto note = [this] { return child<QLabel>("note").text(); };
    const auto z = [this](QEvent::Type type, QWidget& to) {
        QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, 52, 0, 0);
        QApplication::sendEvent(&to, &key);
    };
    output.everAnswered = false;
    onDisplay("k");
    output.fail("no sound server");
    EXPECT_FALSE(menuItem("Play (needs a sound server)").isChecked());
    EXPECT_EQ(note(), "Play needs a sound server.");
    EXPECT_FALSE(sound().isChecked()) << "switched on for Play, off again";
    output.everAnswered = true;
    output.fail("");

    onDisplay("k");
    z(QEvent::KeyPress, oscil());
    EXPECT_EQ(note(), "Every amplitude is 0: the notes are silent. Choose a preset or set a "
                      "harmonic to hear them.");
    box(3).setFocus(); // as a click on it while Z is held
    z(QEvent::KeyRelease, box(3));
    EXPECT_EQ(output.notes.back(), Kind::Off) << "Z's note ends, released in the box";
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    EXPECT_FALSE(sound().isChecked()) << "off before Play, off after";

    QTemporaryDir folder;
    QFile file(folder.filePath("open.mid"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // The pedal down, E4 and G4 on and never let go.
    file.write(QByteArray::fromHex("4d546864000000060000000101f44d54726b00000010"
                                   "00b0407f0090407f0a90437f00ff2f00"));
    file.close();
    button(4).click();
    program->openSound(file.fileName());
    ASSERT_TRUE(testing_support::eventually([&] { return note() == "open.mid played"; }));
    const std::vector<Kind> ending(output.notes.end() - 2, output.notes.end());
    EXPECT_EQ(ending, (std::vector{Kind::Sustain, Kind::AllOff})) << "the pedal up, all off";
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    EXPECT_FALSE(sound().isChecked());
}

} // namespace
