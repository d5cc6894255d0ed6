#pragma once

#include <QString>

namespace app {

// What the command line does with a sound, with no window. Each says why it failed in one line
// on standard error, and returns the exit status.

// --analyse FILE: the amplitudes as Copy amplitudes writes them, and the fundamental; for a
// wavetable, its first frame's, exactly as saved where Tonvirta saved them.
int printAnalysis(const QString& path);
// --analyse FILE --over-time: the note's tracks, or the table's frames, as CSV.
int printTracks(const QString& path);
// --resynthesise FILE OUT: the note rebuilt from its tracks, written to OUT as WAV in time with
// the file.
int writeResynthesis(const QString& path, const QString& out);
// --wavetable FRAMES FILE OUT: the note in FILE as a wavetable of FRAMES frames (2 to 256)
// spread over its life; one frame for a single cycle.
int writeWavetable(const QString& frames, const QString& path, const QString& out);

} // namespace app
