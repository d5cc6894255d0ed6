#include "Opened.h"

#include "analysis/Tracks.h"
#include "audio/Resynthesis.h"
#include "audio/SoundModule.h"
#include "editor/Recipe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace app {
namespace {

const analysis::Table* tableIn(const Opened& opened) {
    return std::get_if<analysis::Table>(&opened.periods);
}

QString say(const char* text, const QString& name) {
    return QCoreApplication::translate("SoundOpening", text).arg(name);
}

QString tableProblem(const QString& name, const analysis::TableFault& fault) {
    using Kind = analysis::TableFault::Kind;
    const QString claimed = QString::number(fault.claimed);
    const QString held = QString::number(fault.held);
    switch (fault.kind) {
    case Kind::Silent:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: silent"), name);
    case Kind::NotFinite:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: %2 samples are not numbers"), name)
            .arg(held);
    case Kind::PastFourGigabytes:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: a wavetable frame past 4 GB"), name);
    case Kind::FrameSize:
        return say(QT_TRANSLATE_NOOP("SoundOpening",
                                     "%1: wavetable frames of %2 samples; "
                                     "Tonvirta opens powers of two from 32 to 8192"),
                   name)
            .arg(claimed);
    case Kind::LongerThanData:
        return say(QT_TRANSLATE_NOOP("SoundOpening",
                                     "%1: wavetable frames of %2 samples, but only %3 samples"),
                   name)
            .arg(claimed, held);
    case Kind::DoesNotDivide:
        return say(QT_TRANSLATE_NOOP("SoundOpening",
                                     "%1: %3 samples do not divide into frames of %2"),
                   name)
            .arg(claimed, held);
    case Kind::NoFrames:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: a wavetable of 0 frames"), name);
    case Kind::TooManyFrames:
        return say(QT_TRANSLATE_NOOP("SoundOpening",
                                     "%1: a wavetable of %2 frames; Tonvirta opens up to 512"),
                   name)
            .arg(held);
    case Kind::RecipeClaimsMore:
        return say(QT_TRANSLATE_NOOP("SoundOpening",
                                     "%1: its recipe claims %2 frames, but it holds %3"),
                   name)
            .arg(claimed, held);
    }
    return {};
}

QString noteProblem(const QString& name, const analysis::Analysis& found) {
    switch (found.problem) {
    case analysis::Problem::Silent:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: silent"), name);
    case analysis::Problem::NoSteadyPitch:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: no steady pitch"), name);
    case analysis::Problem::TooShort:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: too short"), name);
    case analysis::Problem::OutOfRange:
        return say(found.hz > analysis::highestHz
                       ? QT_TRANSLATE_NOOP("SoundOpening",
                                           "%1: pitch %2 Hz, above what Tonvirta takes apart")
                       : QT_TRANSLATE_NOOP("SoundOpening",
                                           "%1: pitch %2 Hz, below what Tonvirta takes apart"),
                   name)
            .arg(QString::number(std::lround(found.hz)));
    }
    return {};
}

} // namespace

Opened openFile(const QString& path) {
    using Unread = Opened::Unread;
    const QFileInfo file(path);
    if (!file.exists()) {
        return {Unread::Missing, {}, {}, {}, {}};
    }
    if (file.isDir()) {
        return {Unread::Folder, {}, {}, {}, {}};
    }
    const audio::SoundModule* module = audio::soundModule();
    auto sound =
        module != nullptr ? module->readSound(QFile::encodeName(path).toStdString()) : std::nullopt;
    if (!sound) {
        return {Unread::NotSound, {}, {}, {}, {}};
    }
    Opened opened{Unread::None, analysis::periodsOf(*sound), {}, std::move(sound), {}};
    if (std::holds_alternative<std::monostate>(opened.periods)) {
        opened.found = analysis::analyse(opened.sound->samples, opened.sound->rate);
    }
    return opened;
}

std::shared_ptr<const TakenNote> overTime(const QString& path, const Opened& opened) {
    const analysis::Sound& sound = *opened.sound;
    const analysis::Table* table = tableIn(opened);
    auto note = table != nullptr ? std::optional(table->frames)
                                 : analysis::tracksOf(sound.samples, sound.rate);
    const audio::SoundModule* module = audio::soundModule();
    if (!note || module == nullptr || note->moments.size() < 2) {
        return nullptr;
    }
    const audio::Hearings heard = table != nullptr
                                      ? audio::hearingsOfFrames(*note, sound.samples, sound.rate)
                                      : audio::hearingsOf(*note, sound.samples, sound.rate);
    const auto atStreamRate = [&](const std::vector<float>& samples) {
        return std::make_shared<const std::vector<float>>(
            module->resample(samples, sound.rate, audio::streamRate));
    };
    return std::make_shared<const TakenNote>(
        TakenNote{path, std::make_shared<const model::TimbreOverTime>(std::move(*note)),
                  atStreamRate(heard.recording), atStreamRate(heard.resynthesis),
                  atStreamRate(heard.residual)});
}

QString problemWith(const QString& name, const Opened& opened) {
    switch (opened.unread) {
    case Opened::Unread::Missing:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: no such file"), name);
    case Opened::Unread::Folder:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: a folder, not a sound file"), name);
    case Opened::Unread::NotSound:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: not a sound file Tonvirta can read"),
                   name);
    case Opened::Unread::None:
        break;
    }
    if (const auto* fault = std::get_if<analysis::TableFault>(&opened.periods)) {
        return tableProblem(name, *fault);
    }
    return opened.found && !opened.found->harmonics ? noteProblem(name, *opened.found) : QString();
}

QString openedText(const QString& name, const Opened& opened) {
    const analysis::Table* table = tableIn(opened);
    if (table == nullptr) {
        const double hz = opened.found->harmonics->fundamentalHz;
        return QCoreApplication::translate("SoundOpening", "%1 Hz (%2) · %3")
            .arg(QLocale().toString(hz, 'f', 1), QString::fromStdString(analysis::noteName(hz)),
                 name);
    }
    const QString size = QString::number(table->frameSize);
    QString text =
        table->frames.moments.size() == 1
            ? say(QT_TRANSLATE_NOOP("SoundOpening", "%1: one cycle of %2 samples"), name).arg(size)
            : say(QT_TRANSLATE_NOOP("SoundOpening", "%1: a wavetable of %2 frames of %3 samples"),
                  name)
                  .arg(QString::number(table->frames.moments.size()), size);
    if (table->recipeSetAside) {
        text += QCoreApplication::translate(
            "SoundOpening", "; its recipe was set aside, as its samples differ from it");
    }
    return text;
}

const analysis::Harmonics& harmonicsOf(const Opened& opened) {
    const analysis::Table* table = tableIn(opened);
    return table != nullptr ? table->first : *opened.found->harmonics;
}

void loadInto(model::Tone& tone, const Opened& opened) {
    const analysis::Table* table = tableIn(opened);
    if (table == nullptr) {
        tone.load(opened.found->harmonics->timbre);
    } else if (!table->recipe.empty()) {
        tone.loadExactly(table->recipe.front());
    } else {
        tone.load(table->frames.moments.front().timbre);
    }
}

std::string harmonicsLines(const Opened& opened) {
    const analysis::Table* table = tableIn(opened);
    if (table != nullptr && !table->recipe.empty()) {
        return editor::harmonicsAsText(table->recipe.front());
    }
    return editor::harmonicsAsText(editor::stepOf(
        table != nullptr ? table->frames.moments.front().timbre : harmonicsOf(opened).timbre));
}

} // namespace app
