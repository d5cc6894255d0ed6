// Saving the picture and exporting the sound, with the file dialog answered by the test.
#include "editor/qt/FileActions.h"

#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <numbers>
#include <sndfile.hh>

namespace {

class FileActions : public testing_support::Form1Fixture {
protected:
    FileActions() {
        window->findChild<app::FileActions*>()->setDialogs(
            {[this](QWidget*, const QString&, const QString& suggested, const QString&,
                    int* count) {
                 suggestions << suggested;
                 asked << (count != nullptr ? *count : 0);
                 if (count != nullptr && frames != 0) {
                     *count = frames;
                 }
                 return answer;
             },
             [this](QWidget*, const QString&, const QString& text) { failures << text; }});
    }
    void choose(const QString& menuItem, const QString& path) {
        answer = path;
        Form1Fixture::menuItem(menuItem).trigger();
    }

    QString answer;
    int frames = 0; // the count of frames the user asks for, where asked
    QList<int> asked;
    QStringList suggestions;
    QStringList failures;
    QTemporaryDir folder;
};

TEST_F(FileActions, SavesThePictureAsOnScreenAndRemembersTheFolder) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    QTest::qWait(250);
    choose("Save picture…", folder.filePath("square")); // typed without its extension
    EXPECT_TRUE(suggestions.front().endsWith("/tonvirta.png"));
    EXPECT_EQ(QImage(folder.filePath("square.png")).convertToFormat(QImage::Format_RGB32),
              oscil().image());
    choose("Save picture…", "");
    EXPECT_EQ(suggestions.back(), folder.filePath("tonvirta.png"));
}

TEST_F(FileActions, ExportsFiveSecondsOfTheSumThatFadeInAndOut) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    choose("Export sound…", folder.filePath("square"));
    SndfileHandle file(folder.filePath("square.wav").toStdString());
    ASSERT_EQ(std::tuple(file.samplerate(), file.channels(), file.format(), file.frames()),
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

// A sound exported, then dropped on the window: its harmonics come back as one step, its own
// period becomes the target, and its pitch the one to play at. What is no note changes nothing.
TEST_F(FileActions, ASoundDroppedOnTheWindowComesApartIntoItsHarmonicsAsOneStep) {
    QApplication::clipboard()->setText("0 0 0 0 0 0 0 0 0 100"); // 2200 Hz
    menuItem("Paste amplitudes").trigger();
    choose("Export sound…", folder.filePath("high.wav"));
    QApplication::clipboard()->setText("100 0 -39 0 20 0 -7");
    menuItem("Paste amplitudes").trigger();
    choose("Export sound…", folder.filePath("tone.wav"));
    QTest::mouseClick(&button(0), Qt::LeftButton);
    choose("Export sound…", folder.filePath("mute.wav"));
    typeOver(16, "5"); // then a sound dropped is a step of its own
    const QString muted = texts();
    const auto dropped = [this](const QString& name, bool waits = true) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(folder.filePath(name))});
        QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&*window, &enter); // Qt drops on where a drag entered
        QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&*window, &drop);
        const auto note = [this] { return child<QLabel>("note").text(); };
        EXPECT_TRUE(!waits || testing_support::eventually([&] { return note().contains(name); }));
        return note();
    };
    // A file superseded before it is read never lands, however late its answer comes.
    dropped("tone.wav", false);
    EXPECT_EQ(dropped("missing.wav"), "missing.wav: no such file");
    QTest::qWait(400);
    EXPECT_EQ(std::pair(texts(), child<QLabel>("note").text()),
              std::pair(muted, QString("missing.wav: no such file")));
    const QString hz = QLocale().toString(220.0, 'f', 1); // in the user's number format
    EXPECT_EQ(dropped("tone.wav"), hz + " Hz (A3) · tone.wav");
    EXPECT_EQ(texts(), "100 0 -39 0 20 0 -7 0 0 0 0 0 0 0 0 0 0");
    EXPECT_TRUE(menuItem(hz + " Hz, from the sound").isChecked());
    onDisplay("t"); // the tone's own shape: sines, so the sum fits it
    EXPECT_TRUE(testing_support::eventually([this] {
        return oscil().captionText().startsWith("RMS error 0" + QLocale().decimalPoint());
    }));
    ASSERT_TRUE(QDir(folder.path()).mkdir("a folder.wav"));
    for (const auto& [name, problem] :
         {std::pair{"mute.wav", "silent"},
          {"missing.wav", "no such file"},
          {"high.wav", "pitch 2200 Hz, above what Tonvirta takes apart"},
          {"a folder.wav", "a folder, not a sound file"},
          {"not-a-folder", "not a sound file Tonvirta can read"}}) {
        if (QString(name) == "not-a-folder") {
            ASSERT_TRUE(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(dropped(name), QString(name) + ": " + problem);
    }
    menuItem("Undo").trigger();
    EXPECT_EQ(texts(), muted);
    for (const auto& [name, status, out] : // and on the command line, with no window
         {std::tuple{"tone.wav", 0,
                     "100 0 -39 0 20 0 -7 0 0 0 0 0 0 0 0 0 0\nfundamental 220.00 Hz\n"},
          {"mute.wav", 1, ""}}) {
        QProcess program;
        program.setProcessEnvironment(QProcessEnvironment()); // no display either
        program.start(TONVIRTA_BINARY, {"--analyse", folder.filePath(name)});
        ASSERT_TRUE(program.waitForFinished());
        EXPECT_EQ(std::tuple(program.exitCode(), program.readAllStandardOutput(),
                             program.readAllStandardError()),
                  std::tuple(status, QByteArray(out),
                             status == 0 ? "" : folder.filePath(name).toUtf8() + ": silent\n"));
    }
}

// A note over time on the command line: CSV with a point for the decimal whatever the locale,
// and the note rebuilt as a WAV file; a silent file says so, as --analyse does, in the language.
TEST_F(FileActions, TracksAndRebuildsANoteOnTheCommandLine) {
    QApplication::clipboard()->setText("100 0 -39 0 20");
    menuItem("Paste amplitudes").trigger();
    choose("Export sound…", folder.filePath("tone.wav"));
    QTest::mouseClick(&button(0), Qt::LeftButton);
    choose("Export sound…", folder.filePath("mute.wav"));
    const auto run = [](const QStringList& arguments) {
        QProcess program;
        QProcessEnvironment environment;
        environment.insert("LC_ALL", "lt_LT.UTF-8");
        program.setProcessEnvironment(environment);
        program.start(TONVIRTA_BINARY, arguments);
        EXPECT_TRUE(program.waitForFinished(20000));
        return std::pair(program.exitCode(),
                         program.readAllStandardOutput() + program.readAllStandardError());
    };
    const auto [status, csv] = run({"--analyse", folder.filePath("tone.wav"), "--over-time"});
    const QList<QByteArray> rows = csv.trimmed().split('\n');
    EXPECT_TRUE(rows.front().startsWith("time,pitch,a1,a2,") && rows.front().endsWith(",p16,p17"));
    ASSERT_GT(rows.size(), 400) << "a moment every 10 ms of 5 s";
    const QList<QByteArray> middle = rows[250].split(',');
    ASSERT_EQ(middle.size(), 36);
    for (const auto& [column, value] : {std::pair{1, 220.0}, {2, 100.0}, {4, 39.0}, {6, 20.0}}) {
        EXPECT_NEAR(middle[column].toDouble(), value, 0.5) << column;
    }
    EXPECT_NEAR(std::fabs(middle[21].toDouble()), 180.0, 1.0) << "-39: the third against the first";
    const QString rebuilt = folder.filePath("rebuilt.wav");
    EXPECT_EQ(run({"--resynthesise", folder.filePath("tone.wav"), rebuilt}).first, 0);
    EXPECT_EQ(run({"--analyse", rebuilt}).second,
              "100 0 -39 0 20 0 0 0 0 0 0 0 0 0 0 0 0\nfundamental 220.00 Hz\n");
    EXPECT_EQ(run({"--resynthesise", folder.filePath("mute.wav"), rebuilt}),
              std::pair(1, folder.filePath("mute.wav").toUtf8() + ": tyla\n"));
}

// Read chunk by chunk as a wavetable synthesizer reads it: the frame size where it looks, then
// one period of the sum, each harmonic at its phase, at its largest magnitude 1.
TEST_F(FileActions, ExportsOnePeriodAsAWavetableAndNothingForSilence) {
    QApplication::clipboard()->setText(
        "100 0 0 0 6 0 0 0 2 0 0 0 0 0 0 0 0\n0 0 0 0 90 0 0 0 0 0 0 0 0 0 0 0 0");
    menuItem("Paste amplitudes").trigger();
    choose("Export wavetable…", folder.filePath("table.wt")); // another extension is kept
    QFile file(folder.filePath("table.wt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto number = [&bytes](qsizetype at) { // little-endian
        return quint32(quint8(bytes.at(at))) | quint32(quint8(bytes.at(at + 1))) << 8 |
               quint32(quint8(bytes.at(at + 2))) << 16 | quint32(quint8(bytes.at(at + 3))) << 24;
    };
    ASSERT_EQ(bytes.left(4) + bytes.mid(8, 4), "RIFFWAVE");
    EXPECT_EQ(number(4), bytes.size() - 8);
    QByteArrayList ids; // read as a wavetable synthesizer reads them
    std::map<QByteArray, qsizetype> at;
    for (qsizetype i = 12; i + 8 <= bytes.size(); i += 8 + number(i + 4) + number(i + 4) % 2) {
        ids << bytes.mid(i, 4);
        at[ids.back()] = i + 8;
    }
    EXPECT_EQ(ids, QByteArrayList({"fmt ", "fact", "clm ", "srge", "tonv", "data"}));
    EXPECT_EQ(number(at["fmt "]) & 0xFFFF, 3U) << "float samples";
    EXPECT_TRUE(bytes.mid(at["clm "], 8) == "<!>2048 ");
    EXPECT_EQ(std::pair(number(at["srge"]), number(at["srge"] + 4)), std::pair(1U, 2048U));
    std::vector<float> table(number(at["data"] - 4) / 4);
    std::memcpy(table.data(), bytes.data() + at["data"], table.size() * 4);
    ASSERT_EQ(table.size(), 2048U);
    EXPECT_FLOAT_EQ(tone::peak(table), 1.0F);
    for (std::size_t n = 0; n < 2048; n += 64) {
        const double theta = 2 * std::numbers::pi * double(n) / 2048;
        const double sum =
            100 * std::sin(theta) + 6 * std::cos(5 * theta) + 2 * std::sin(9 * theta);
        EXPECT_NEAR(table[n], sum * table[512] / 102.0, 1e-5) << n; // 102 at a quarter period
    }
    QTest::mouseClick(&button(0), Qt::LeftButton);
    choose("Export wavetable…", folder.filePath("silence.wav"));
    EXPECT_FALSE(QFile::exists(folder.filePath("silence.wav")));
    EXPECT_TRUE(child<QLabel>("note").text().startsWith("No wavetable"));
}

// GIVEN a timbre with a fraction in a box and phases WHEN it is exported as a wavetable and opened
// again THEN the boxes hold exactly what they held, as one step, and the command line prints it;
// a table whose samples were changed elsewhere comes from its samples, and says so.
TEST_F(FileActions, AWavetableComesBackExactlyAsItWasSaved) {
    QApplication::clipboard()->setText("100 0 12 -40 0 0 0 0 0 0 0 0 0 0 0 0 1\n0 0 45 -89");
    menuItem("Paste amplitudes").trigger();
    window->tone().setAmplitude(2, 12.3); // as a bar dragged a little way
    const QString saved = texts();
    ASSERT_EQ(saved, "100 0 12.3 -40 0 0 0 0 0 0 0 0 0 0 0 0 1");
    choose("Export wavetable…", folder.filePath("mine.wav"));
    EXPECT_EQ(asked, QList<int>{0}) << "no frames to ask for without a note";
    QApplication::clipboard()->setText("5");
    menuItem("Paste amplitudes").trigger();
    program->openSound(folder.filePath("mine.wav"));
    ASSERT_TRUE(testing_support::eventually([&] { return texts() == saved; }))
        << texts().toStdString() << " " << child<QLabel>("note").text().toStdString();
    EXPECT_EQ(child<QLabel>("note").text(), "mine.wav: one cycle of 2048 samples");
    EXPECT_EQ(window->tone().phases()[3], -89);
    menuItem("Undo").trigger();
    EXPECT_TRUE(texts().startsWith("5 0 0")) << texts().toStdString();
    QProcess analysed;
    analysed.setProcessEnvironment(QProcessEnvironment());
    analysed.start(TONVIRTA_BINARY, {"--analyse", folder.filePath("mine.wav")});
    ASSERT_TRUE(analysed.waitForFinished());
    EXPECT_EQ(analysed.readAllStandardOutput(),
              saved.toUtf8() + "\n0 0 45 -89 0 0 0 0 0 0 0 0 0 0 0 0 0\nfundamental 23.44 Hz\n");
    QFile file(folder.filePath("mine.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(file.size() - 4000); // a sample, changed by another program
    file.write("\x10\x20");
    file.close();
    program->openSound(folder.filePath("mine.wav"));
    ASSERT_TRUE(testing_support::eventually(
        [this] { return texts() != "5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"; }));
    EXPECT_EQ(child<QLabel>("note").text(), "mine.wav: one cycle of 2048 samples; its recipe was "
                                            "set aside, as its samples differ from it");
    EXPECT_EQ(texts(), "100 0 12 -40 0 0 0 0 0 0 0 0 0 0 0 0 1") << "rounded, from the samples";
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.resize(file.size() - 5000));
    file.close();
    program->openSound(folder.filePath("mine.wav")); // cut short: named, and nothing changes
    ASSERT_TRUE(testing_support::eventually([this] {
        return child<QLabel>("note").text().contains("wavetable frames of 2048 samples, but only");
    }));
    EXPECT_EQ(texts(), "100 0 12 -40 0 0 0 0 0 0 0 0 0 0 0 0 1");
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
