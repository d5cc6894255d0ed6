#include "SoundCommands.h"

#include "Opened.h"
#include "analysis/Tracks.h"
#include "audio/Resynthesis.h"
#include "audio/SoundModule.h"
#include "editor/Recipe.h"
#include "editor/qt/FileActions.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace app {
namespace {

void complain(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// The file taken apart, or nothing, said on standard error.
std::optional<Opened> opened(const QString& path) {
    Opened opened = openFile(path);
    const QString problem = problemWith(path, opened);
    if (!problem.isEmpty()) {
        complain(problem);
        return std::nullopt;
    }
    return opened;
}

// The note's tracks, the table's frames or the cycle as one, or nothing, said.
std::optional<model::TimbreOverTime> overTimeIn(const QString& path, const Opened& opened) {
    if (const auto* table = std::get_if<analysis::Table>(&opened.periods)) {
        return table->frames;
    }
    auto note = analysis::tracksOf(opened.sound->samples, opened.sound->rate);
    if (!note) {
        complain(QCoreApplication::translate("SoundOpening", "%1: too short").arg(path));
    }
    return note;
}

} // namespace

int printAnalysis(const QString& path) {
    const auto found = opened(path);
    if (!found) {
        return EXIT_FAILURE;
    }
    std::printf("%s\nfundamental %s Hz\n", harmonicsLines(*found).c_str(),
                QString::number(harmonicsOf(*found).fundamentalHz, 'f', 2).toUtf8().constData());
    return EXIT_SUCCESS;
}

int printTracks(const QString& path) {
    const auto found = opened(path);
    const auto note = found ? overTimeIn(path, *found) : std::nullopt;
    if (!note) {
        return EXIT_FAILURE;
    }
    std::fputs(analysis::csvOf(*note).c_str(), stdout);
    return EXIT_SUCCESS;
}

int writeResynthesis(const QString& path, const QString& out) {
    const auto found = opened(path);
    const auto note = found ? overTimeIn(path, *found) : std::nullopt;
    if (!note) {
        return EXIT_FAILURE;
    }
    const analysis::Sound& sound = *found->sound;
    const std::vector<float> rebuilt =
        note->frames ? audio::hearingsOfFrames(*note, sound.samples, sound.rate).resynthesis
                     : audio::resynthesis(*note, sound.rate, sound.samples.size());
    const std::string why = audio::soundModule()->writeSound(QFile::encodeName(out).toStdString(),
                                                             rebuilt, int(sound.rate));
    if (!why.empty()) {
        complain(QStringLiteral("%1: %2").arg(out, QString::fromStdString(why)));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

int writeWavetable(const QString& frames, const QString& path, const QString& out) {
    bool number = false;
    const int count = frames.toInt(&number);
    if (!number || count < 2 || count > int(mostExportedFrames)) {
        complain(QCoreApplication::translate(
                     "main", "tonvirta: --wavetable takes 2 to %1 frames, not \"%2\"")
                     .arg(mostExportedFrames)
                     .arg(frames));
        return EXIT_FAILURE;
    }
    const auto found = opened(path);
    const auto note = found ? overTimeIn(path, *found) : std::nullopt;
    if (!note) {
        return EXIT_FAILURE;
    }
    const std::vector<editor::Step> steps =
        stepsOf(editor::framesOf(*note, note->moments.size() == 1 ? 1 : std::size_t(count)));
    const QString why = writeWavetableFile(out, steps);
    if (!why.isEmpty()) {
        complain(QStringLiteral("%1: %2").arg(out, why));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

} // namespace app
