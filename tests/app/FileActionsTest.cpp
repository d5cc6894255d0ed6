// Saving the picture and exporting the sound, with the file dialog answered by the test.
#include "app/FileActions.h"

#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <sndfile.h>

namespace {

class FileActions : public testing_support::Form1Fixture {
protected:
    FileActions() {
        window.findChild<app::FileActions*>()->setDialogs(
            {[this](QWidget*, const QString&, const QString& suggested, const QString&) {
                 suggestions << suggested;
                 return answer;
             },
             [this](QWidget*, const QString&, const QString& text) { failures << text; }});
    }
    void choose(const QString& menuItem, const QString& path) {
        answer = path;
        Form1Fixture::menuItem(menuItem).trigger();
    }

    QString answer;
    QStringList suggestions;
    QStringList failures;
    QTemporaryDir folder;
};

TEST_F(FileActions, SavesThePictureAsOnScreenAndRemembersTheFolder) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    QTest::qWait(250);
    choose("Save picture…", folder.filePath("square.png"));
    EXPECT_TRUE(suggestions.front().endsWith("/tonvirta.png"));
    const QImage saved(folder.filePath("square.png"));
    EXPECT_EQ(saved.size(), QSize(512, 256));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), oscil().image());
    choose("Save picture…", "");
    EXPECT_EQ(suggestions.back(), folder.filePath("tonvirta.png"));
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(FileActions, ExportsFiveSecondsOfTheSumThatFadeInAndOut) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    choose("Export sound…", folder.filePath("square.wav"));
    SF_INFO info{};
    SNDFILE* file = sf_open(folder.filePath("square.wav").toUtf8().constData(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> samples(static_cast<std::size_t>(info.frames));
    sf_read_float(file, samples.data(), info.frames);
    sf_close(file);
    EXPECT_EQ(info.samplerate, 48000);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.frames, 5 * 48000);
    // At the menu's half volume SQUARE's 100 plays at an eighth of full scale.
    const std::span<const float> middle(samples.data() + 48000, 48000);
    EXPECT_NEAR(tone::level(middle, 220.0, 48000.0), 0.125, 0.004);
    for (const auto& [k, amplitude] : {std::pair{3, 30.0}, {5, 14.0}, {7, 7.0}}) {
        EXPECT_NEAR(tone::level(middle, 220.0 * k, 48000.0) / 0.125, amplitude / 100.0, 0.01);
    }
    EXPECT_LT(std::fabs(samples.front()), 0.001F);
    EXPECT_LT(std::fabs(samples.back()), 0.001F);
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(FileActions, AFailureSaysWhyAndLeavesNoFileBehind) {
    QFile blocker(folder.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    choose("Save picture…", folder.filePath("not-a-folder/x.png"));
    choose("Export sound…", folder.filePath("not-a-folder/x.wav"));
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[0].contains("could not be saved")) << failures[0].toStdString();
    EXPECT_TRUE(failures[1].contains("could not be exported")) << failures[1].toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"not-a-folder"});
}

} // namespace
