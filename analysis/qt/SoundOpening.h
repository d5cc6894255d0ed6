#pragma once

#include "NoteActions.h"
#include "analysis/SoundAnalysis.h"
#include "model/Tone.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>

class QMenu;
class QWidget;

namespace app {

struct Opened;

// Bringing a sound in to take it apart: Open sound… (Ctrl+O), a file dropped on the window, or
// one named at start. Reading and analysing run off the window's thread; a newer request
// supersedes one still running. Nothing changes unless the sound gives a note.
class SoundOpening final : public QObject {
    Q_OBJECT

public:
    // What a sound holds goes into the tone, as one step; Open sound… goes into the menu.
    SoundOpening(QWidget& window, QMenu& menu, model::Tone& tone);
    ~SoundOpening() override;
    SoundOpening(const SoundOpening&) = delete;
    SoundOpening& operator=(const SoundOpening&) = delete;

    void open(const QString& path);

signals:
    void said(const QString& text);
    // A sound was taken apart and is in the boxes now.
    void takenApart(const analysis::Harmonics& harmonics);
    // And its note over time, or none where it was too short to follow.
    void noteTaken(const std::shared_ptr<const TakenNote>& taken);
    // A MIDI file, to be played, not taken apart.
    void midiChosen(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Empty when the user gives up.
    static QString chooseWithDialog(QWidget* parent);
    void analysed(int request, const QString& name, const Opened& opened);

    QWidget& window_;
    model::Tone& tone_;
    QThreadPool pool_;
    std::atomic<int> latest_ = 0;
};

} // namespace app
