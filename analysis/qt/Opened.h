#pragma once

#include "NoteActions.h"
#include "analysis/SoundAnalysis.h"
#include "analysis/SoundFile.h"
#include "analysis/Wavetables.h"
#include "model/Tone.h"

#include <QString>
#include <memory>
#include <optional>

namespace app {

// The sound in a file taken apart, or why the file gave none to take apart.
struct Opened {
    enum class Unread { None, Missing, Folder, NotSound };

    Unread unread = Unread::None;
    analysis::Periods periods;               // periods of a wave, or nothing for a note
    std::optional<analysis::Analysis> found; // a note's
    std::optional<analysis::Sound> sound;
    std::shared_ptr<const TakenNote> taken; // over time, where the window asked for it
};

Opened openFile(const QString& path);
// The note's tracks, or the table's frames, and either three ways at the stream's rate to be
// heard; nothing where there is neither.
std::shared_ptr<const TakenNote> overTime(const QString& path, const Opened& opened);
// Why a file gave no harmonics, naming it; nothing when it gave them.
QString problemWith(const QString& name, const Opened& opened);
// What a file that gave harmonics gave: a note's pitch, or the periods it holds.
QString openedText(const QString& name, const Opened& opened);
const analysis::Harmonics& harmonicsOf(const Opened& opened);
// The harmonics into the tone as one step: a recipe exactly as saved, or the first frame's or
// the note's, rounded as the boxes round.
void loadInto(model::Tone& tone, const Opened& opened);
// What the command line prints for them: Copy amplitudes' lines.
std::string harmonicsLines(const Opened& opened);

} // namespace app
