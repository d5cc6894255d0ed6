// Saving the picture and exporting the sound, with the file dialog answered by the test.
#include "app/FileActions.h"

#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QTemporaryDir>
#include <sndfile.hh>

namespace {

class FileActions : public testing_support::Form1Fixture {
protected:
    FileActions() {
        window->findChild<app::FileActions*>()->setDialogs(
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
    EXPECT_EQ(QImage(folder.filePath("square.png")).convertToFormat(QImage::Format_RGB32),
              oscil().image());
    choose("Save picture…", "");
    EXPECT_EQ(suggestions.back(), folder.filePath("tonvirta.png"));
}

TEST_F(FileActions, ExportsFiveSecondsOfTheSumThatFadeInAndOut) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    choose("Export sound…", folder.filePath("square.wav"));
    SndfileHandle file(folder.filePath("square.wav").toStdString());
    EXPECT_EQ(std::tuple(file.samplerate(), file.channels(), file.format(), file.frames()),
              std::tuple(48000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, sf_count_t{5 * 48000}));
    std::vector<float> samples(static_cast<std::size_t>(file.frames()));
    file.read(samples.data(), file.frames());
    // At the menu's half volume and pitch SQUARE's 100 plays at an eighth of full scale.
    const std::span<const float> middle(samples.data() + 48000, 48000);
    for (const auto& [k, amplitude] : {std::pair{1, 100.0}, {3, 30.0}, {5, 14.0}, {7, 7.0}}) {
        EXPECT_NEAR(800.0 * tone::level(middle, 220.0 * k), amplitude, 1.0) << "harmonic " << k;
    }
    EXPECT_LT(std::max(std::fabs(samples.front()), std::fabs(samples.back())), 0.001F);
}

TEST_F(FileActions, AFailureSaysWhyAndLeavesNoFileBehind) {
    ASSERT_TRUE(QFile(folder.filePath("not-a-folder")).open(QIODevice::WriteOnly));
    choose("Save picture…", folder.filePath("not-a-folder/x.png"));
    choose("Export sound…", folder.filePath("not-a-folder/x.wav"));
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[0].contains("could not be saved")) << failures[0].toStdString();
    EXPECT_TRUE(failures[1].contains("could not be exported")) << failures[1].toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"not-a-folder"});
}

} // namespace
