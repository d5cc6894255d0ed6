// A sound's note over time through the real window: scrubbed in the large view, heard three
// ways and its tracks exported.
#include "accessible/qt/Announcement.h"
#include "editor/qt/FileActions.h"
#include "largeview/Chart.h"
#include "largeview/LargeView.h"
#include "tests/support/Form1Fixture.h"

#include <QLabel>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>
#include <sndfile.hh>

namespace {

using testing_support::eventually;

class Clips final : public audio::SoundOutput {
public:
    [[nodiscard]] std::string unavailableReason() const override { return {}; }
    void publish(const audio::SoundSnapshot& snapshot) override { last = snapshot; }
    audio::SoundSnapshot last;
};

class NoteOverTime : public testing_support::Form1Fixture {
protected:
    NoteOverTime() : NoteOverTime(new Clips) {}
    explicit NoteOverTime(Clips* made)
        : Form1Fixture(std::unique_ptr<audio::SoundOutput>(made)), sound(*made) {
        window->findChild<app::FileActions*>()->setDialogs(
            {[this](QWidget*, const QString&, const QString&, const QString&, int* count) {
                 if (count != nullptr) {
                     asked = std::exchange(*count, frames);
                 }
                 return answer;
             },
             {}});
    }
    // A plucked note at 220 Hz from 0.1 s: the third harmonic dies far sooner than the first.
    void openPluck() {
        std::vector<float> samples(48000);
        for (std::size_t n = 4800; n < samples.size(); ++n) {
            const double t = double(n - 4800) / 48000.0;
            const double x = 2 * std::numbers::pi * 220 * t;
            samples[n] = float(0.5 * std::exp(-t / 0.5) * std::sin(x) +
                               0.4 * std::exp(-t / 0.06) * std::sin(3 * x));
        }
        SndfileHandle(folder.filePath("pluck.wav").toStdString(), SFM_WRITE,
                      SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 48000)
            .write(samples.data(), sf_count_t(samples.size()));
        program->openSound(folder.filePath("pluck.wav"));
        ASSERT_TRUE(eventually([this] { return menuItem("Note over time").isEnabled(); }));
    }
    largeview::LargeView& view() { return *window->findChild<largeview::LargeView*>(); }
    QWidget& cursor() { return *view().findChild<QWidget*>("timeCursor"); }
    QString time() {
        return QAccessible::queryAccessibleInterface(&cursor())->text(QAccessible::Value);
    }
    // In the user's number format.
    static QString seconds(double s) { return QLocale().toString(s, 'f', 2) + " s"; }
    void keys(std::initializer_list<Qt::Key> pressed) {
        for (const Qt::Key key : pressed) {
            QTest::keyClick(&cursor(), key);
        }
        QTest::qWait(600); // the cursor settles
    }
    std::vector<float> clip(const QString& item) {
        menuItem(item).trigger();
        return *sound.last.clip.samples;
    }

    Clips& sound;
    QString answer;
    int frames = 64; // the count the user asks for, and the one offered
    int asked = 0;
    QTemporaryDir folder;
};

// GIVEN a plucked note opened WHEN its note over time is opened and the cursor moved by keys and
// the mouse THEN the boxes take the harmonics there, a reader hears the time and the harmonics,
// and each gesture is one step.
TEST_F(NoteOverTime, TheCursorLoadsTheHarmonicsAtItsMomentOneStepAGesture) {
    EXPECT_FALSE(menuItem("Hear the recording").isEnabled());
    openPluck();
    const QString opened = texts();
    onDisplay("o");
    ASSERT_TRUE(eventually([this] { return view().isVisible() && cursor().hasFocus(); }));
    keys({Qt::Key_Home});
    EXPECT_EQ(time(), seconds(0.10));
    const auto atStart = numbers();
    EXPECT_NEAR(atStart[2] / atStart[0], 0.8, 0.1) << texts().toStdString();
    EXPECT_TRUE(view().findChild<accessible::Announcement*>()->text().startsWith(
        "Harmonics at " + seconds(0.10) + ": 1: "));
    keys({Qt::Key_PageUp, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left});
    EXPECT_EQ(time(), seconds(0.21));
    EXPECT_NEAR(numbers()[2] / numbers()[0], 0.8 * std::exp(-0.11 / 0.06 + 0.11 / 0.5), 0.05);
    keys({Qt::Key_End});
    EXPECT_EQ(numbers()[2], 0) << "the third has died";
    const QString atEnd = texts();
    const largeview::Box panel =
        largeview::layoutFor(view().width(), view().height(), true).timePanel;
    QTest::mouseClick(&view(), Qt::LeftButton, {},
                      QPoint(int(panel.x + panel.width / 2), int(panel.y + panel.height / 2)));
    EXPECT_NEAR(QLocale().toDouble(time().section(' ', 0, 0)), 0.55, 0.02);
    for (const QString& before : {atEnd, QString(), QString(), opened}) {
        QTest::keySequence(&cursor(), QKeySequence::Undo);
        if (!before.isEmpty()) {
            EXPECT_EQ(texts(), before);
        }
    }
}

// GIVEN a plucked note opened WHEN it is heard three ways and its tracks exported THEN the sound
// comes on for each clip alone, the rebuilt note is close to the recording and what is left is
// their difference, and the CSV holds a row a moment.
TEST_F(NoteOverTime, IsHeardAsRecordedRebuiltAndWhatIsLeftAndExported) {
    openPluck();
    const std::vector<float> recording = clip("Hear the recording");
    EXPECT_TRUE(sound.last.on && sound.last.playing) << "on for the clip, the held tone silent";
    EXPECT_NEAR(double(recording.size()) / 48000, 0.93, 0.03);
    const std::vector<float> rebuilt = clip("Hear the resynthesis");
    const std::vector<float> left = clip("Hear what is left");
    ASSERT_EQ(rebuilt.size(), recording.size());
    double signal = 0;
    double difference = 0;
    for (std::size_t i = 0; i < recording.size(); ++i) {
        ASSERT_NEAR(left[i], recording[i] - rebuilt[i], 1e-4);
        if (i < 4800) {
            continue; // the attack, which no 10 ms frames follow
        }
        signal += recording[i] * recording[i];
        difference += (recording[i] - rebuilt[i]) * (recording[i] - rebuilt[i]);
    }
    EXPECT_GT(10 * std::log10(signal / difference), 25);
    EXPECT_TRUE(eventually([this] { return !sound.last.on; }, 5000)) << "off again after it";
    answer = folder.filePath("tracks.csv");
    menuItem("Export tracks…").trigger();
    QFile csv(answer);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(rows.front().startsWith("time,pitch,a1,"));
    EXPECT_NEAR(rows.size(), 86, 10);
}

// GIVEN a plucked note opened WHEN it is exported as a wavetable of 8 frames, with its harmonics,
// and the table opened THEN it opens as a note over time a frame a moment: the boxes take each
// frame's harmonics exactly as exported, and a reader hears the frame.
TEST_F(NoteOverTime, ANoteExportedAsFramesOpensAgainFrameByFrame) {
    openPluck();
    frames = 8;
    answer = folder.filePath("pluck8.wav");
    menuItem("Export wavetable…").trigger();
    EXPECT_EQ(asked, 64) << "offered";
    answer = folder.filePath("pluck8.csv");
    menuItem("Export harmonics…").trigger();
    QFile csv(answer);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 9);
    EXPECT_EQ(rows[1].section(',', 0, 0), "0") << "a frame's index for its time";
    EXPECT_NEAR(rows[4].section(',', 1, 1).toDouble(), 220, 1) << "and the note's pitch";
    program->openSound(folder.filePath("pluck8.wav"));
    ASSERT_TRUE(eventually([this] {
        return child<QLabel>("note").text() ==
               "pluck8.wav: a wavetable of 8 frames of 2048 samples";
    }));
    // Each row's magnitudes, as the boxes show them without their signs.
    const auto row = [&rows](int f) {
        QStringList magnitudes = rows[f + 1].split(',').mid(2, 17);
        for (QString& m : magnitudes) {
            m = QString::number(m.toDouble());
        }
        return magnitudes.join(' ');
    };
    const auto unsigned_ = [this] { return texts().remove('-'); };
    EXPECT_EQ(unsigned_(), row(0));
    answer = folder.filePath("again.csv");
    menuItem("Export harmonics…").trigger();
    EXPECT_EQ(asked, 8) << "a table is offered as many frames as it has";
    onDisplay("o");
    ASSERT_TRUE(eventually([this] { return cursor().hasFocus(); }));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&cursor())->text(QAccessible::Name), "Frame");
    keys({Qt::Key_Right, Qt::Key_Right});
    EXPECT_EQ(time(), "frame 2");
    EXPECT_EQ(unsigned_(), row(2));
    keys({Qt::Key_End});
    EXPECT_EQ(unsigned_(), row(7));
    EXPECT_TRUE(view().findChild<accessible::Announcement*>()->text().startsWith(
        "Harmonics at frame 7: 1: "));
}

} // namespace
