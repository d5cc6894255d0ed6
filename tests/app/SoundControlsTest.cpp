// Sound on the real window, with a stand-in for the audio device.
#include "tests/support/Form1Fixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

namespace {

// Records what the window hands to the audio side.
class RecordingOutput final : public audio::SoundOutput {
public:
    explicit RecordingOutput(std::string reason) : reason_(std::move(reason)) {}

    [[nodiscard]] std::string unavailableReason() const override { return reason_; }
    void publish(const audio::SoundSnapshot& snapshot) override { published.push_back(snapshot); }

    void fail(std::string reason) {
        reason_ = std::move(reason);
        raiseAvailabilityChanged();
    }

    std::vector<audio::SoundSnapshot> published;

private:
    std::string reason_;
};

class SoundControlsTest : public testing::Test {
protected:
    explicit SoundControlsTest(std::string reason = {}) {
        auto recording = std::make_unique<RecordingOutput>(std::move(reason));
        output = recording.get();
        window.emplace(
            [](const forms::RuntimeError& error) { ADD_FAILURE() << forms::reportText(error); },
            std::move(recording));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&*window));
    }

    QAction& sound() { return *window->findChild<QAction*>(QStringLiteral("soundAction")); }
    QMenu& menu() { return *window->findChild<QMenu*>(QStringLiteral("soundMenu")); }
    QAction* menuItem(const QString& text) {
        for (QAction* action : menu().findChildren<QAction*>()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
    void pressCtrlP() {
        QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("harmonika_4")), Qt::Key_P,
                        Qt::ControlModifier);
    }
    [[nodiscard]] const audio::SoundSnapshot& last() const { return output->published.back(); }

    RecordingOutput* output = nullptr;
    std::optional<app::Form1> window;
};

TEST_F(SoundControlsTest, CtrlPAndTheMenuItemToggleTheSameSound) {
    EXPECT_FALSE(sound().isChecked()) << "sound is off at start";
    pressCtrlP();
    ASSERT_FALSE(output->published.empty());
    EXPECT_TRUE(last().on);
    EXPECT_TRUE(sound().isChecked());
    ASSERT_TRUE(menu().actions().contains(&sound()));
    EXPECT_EQ(sound().shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    sound().trigger(); // as the menu item does
    EXPECT_FALSE(last().on);
    pressCtrlP();
    EXPECT_TRUE(last().on);
}

TEST_F(SoundControlsTest, PitchAndVolumeStartAt220HzAndHalfAndFollowTheMenu) {
    pressCtrlP();
    EXPECT_EQ(last().pitchHz, 220.0);
    EXPECT_EQ(last().volume, 0.5);
    for (const char* pitch : {"55 Hz", "110 Hz", "220 Hz", "440 Hz", "880 Hz"}) {
        ASSERT_NE(menuItem(pitch), nullptr) << pitch;
    }
    EXPECT_TRUE(menuItem("220 Hz")->isChecked());
    EXPECT_TRUE(menuItem("50 %")->isChecked());
    menuItem("880 Hz")->trigger();
    EXPECT_EQ(last().pitchHz, 880.0);
    menuItem("25 %")->trigger();
    EXPECT_EQ(last().volume, 0.25);
    EXPECT_FALSE(menuItem("220 Hz")->isChecked());
}

TEST_F(SoundControlsTest, HandsOverTheAmplitudesAsSoonAsABoxSettles) {
    pressCtrlP();
    auto& box = *window->findChild<QLineEdit*>(QStringLiteral("harmonika_2"));
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, "250");
    EXPECT_EQ(last().amplitudes[2], 200.0);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1_4")),
                      Qt::LeftButton);
    EXPECT_EQ(last().amplitudes, (audio::SoundSnapshot{{100}}.amplitudes));
}

TEST_F(SoundControlsTest, RightClickOrTheMenuKeyOnTheDisplayOpensTheMenu) {
    auto* oscil = window->findChild<QWidget*>(QStringLiteral("oscil"));
    for (const auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
        QContextMenuEvent request(reason, QPoint(100, 50), oscil->mapToGlobal(QPoint(100, 50)));
        QApplication::sendEvent(oscil, &request);
        QTRY_VERIFY(menu().isVisible());
        menu().hide();
    }
}

TEST_F(SoundControlsTest, TheDisplayTellsHowToReachTheMenu) {
    const QString tip = window->findChild<QWidget*>(QStringLiteral("oscil"))->toolTip();
    EXPECT_TRUE(tip.contains(QStringLiteral("Right-click"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("Ctrl+P"))) << tip.toStdString();
}

TEST_F(SoundControlsTest, AFailingDeviceTurnsSoundOffAndSaysWhy) {
    pressCtrlP();
    output->fail("The audio device failed");
    EXPECT_FALSE(sound().isEnabled());
    EXPECT_FALSE(last().on);
    EXPECT_TRUE(sound().text().contains(QStringLiteral("The audio device failed")));
}

class WithoutADevice : public SoundControlsTest {
protected:
    WithoutADevice() : SoundControlsTest("No audio output device") {}
};

TEST_F(WithoutADevice, SoundIsDisabledWithANoteAndEverythingElseWorks) {
    EXPECT_FALSE(sound().isEnabled());
    EXPECT_EQ(sound().text(), "Sound (No audio output device)");
    pressCtrlP();
    EXPECT_FALSE(sound().isChecked());
    EXPECT_TRUE(output->published.empty() || !last().on);

    auto& box = *window->findChild<QLineEdit*>(QStringLiteral("harmonika_0"));
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, "42");
    EXPECT_EQ(window->findChild<QScrollBar*>(QStringLiteral("VScroll1_0"))->value(), -42);
}

} // namespace
