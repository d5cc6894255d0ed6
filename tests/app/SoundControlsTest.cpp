// Sound on the real window, with a stand-in for the audio device.
#include "tests/support/Form1Fixture.h"

#include <QContextMenuEvent>

namespace {

// Records what the window hands to the audio side.
class RecordingOutput final : public audio::SoundOutput {
public:
    [[nodiscard]] std::string unavailableReason() const override { return reason; }
    void publish(const audio::SoundSnapshot& snapshot) override { published.push_back(snapshot); }
    void fail(std::string why) {
        reason = std::move(why);
        raiseAvailabilityChanged();
    }

    std::vector<audio::SoundSnapshot> published;
    std::string reason;
};

// Made before the window, which takes it over.
struct RecordingOutputHolder {
    std::unique_ptr<RecordingOutput> made = std::make_unique<RecordingOutput>();
    RecordingOutput& output = *made;
};

class SoundControlsTest : protected RecordingOutputHolder, public testing_support::Form1Fixture {
protected:
    SoundControlsTest() : Form1Fixture(std::move(made)) {}

    QAction& sound() { return child<QAction>(QStringLiteral("soundAction")); }
    void pressCtrlP() { QTest::keyClick(&box(4), Qt::Key_P, Qt::ControlModifier); }
    const audio::SoundSnapshot& last() { return output.published.back(); }
};

TEST_F(SoundControlsTest, CtrlPAndTheMenuToggleSoundWithThePitchAndVolumeChosen) {
    EXPECT_FALSE(sound().isChecked()) << "sound is off at start";
    pressCtrlP();
    EXPECT_EQ(std::tuple(last().on, last().pitchHz, last().volume), std::tuple(true, 220.0, 0.5));
    menuItem("Sound").trigger();
    EXPECT_FALSE(last().on);
    pressCtrlP();
    EXPECT_TRUE(menuItem("220 Hz").isChecked());
    menuItem("880 Hz").trigger();
    menuItem("25 %").trigger();
    EXPECT_EQ(std::tuple(last().on, last().pitchHz, last().volume), std::tuple(true, 880.0, 0.25));
    EXPECT_FALSE(menuItem("220 Hz").isChecked());
}

// Once a user's action has been handled, in one piece: a preset's clearing never sounds.
TEST_F(SoundControlsTest, HandsOverTheAmplitudesOnceEachActionIsHandled) {
    pressCtrlP();
    typeOver(2, "250");
    EXPECT_TRUE(testing_support::eventually([&] { return last().amplitudes[2] == 200.0; }));
    QTest::mouseClick(&button(4), Qt::LeftButton);
    const std::size_t before = output.published.size();
    ASSERT_TRUE(testing_support::eventually([&] { return output.published.size() == before + 1; }));
    QTest::qWait(20);
    EXPECT_EQ(output.published.size(), before + 1);
    EXPECT_EQ(last().amplitudes, (audio::SoundSnapshot{{100}}.amplitudes));
}

TEST_F(SoundControlsTest, RightClickOrTheMenuKeyOnTheDisplayOpensTheMenu) {
    for (const auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
        QContextMenuEvent request(reason, QPoint(100, 50), oscil().mapToGlobal(QPoint(100, 50)));
        QApplication::sendEvent(&oscil(), &request);
        auto& menu = child<QMenu>(QStringLiteral("displayMenu"));
        EXPECT_TRUE(testing_support::eventually([&] { return menu.isVisible(); }));
        menu.hide();
    }
}

TEST_F(SoundControlsTest, WhileTheDeviceIsAwaySoundSaysWhyAndKeepsTheChoiceForItsReturn) {
    pressCtrlP();
    output.fail("No audio output device");
    EXPECT_FALSE(sound().isEnabled());
    EXPECT_EQ(sound().text(), "Sound (No audio output device)");
    pressCtrlP();
    typeOver(0, "42");
    EXPECT_EQ(slider(0).value(), -42) << "editing goes on";
    output.fail("");
    EXPECT_TRUE(sound().isEnabled());
    EXPECT_EQ(sound().text(), "Sound");
    EXPECT_TRUE(sound().isChecked()) << "on, as when the device went away";
}

} // namespace
