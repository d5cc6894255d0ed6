#pragma once

#include "analysis/SoundAnalysis.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <functional>

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
    struct Hooks {
        std::function<void(const analysis::Harmonics&)> load;       // one step
        std::function<void(const analysis::Harmonics&)> aimAndPlay; // target and pitch
        std::function<void(const QString&)> say;
        std::function<QString(QWidget* parent)> chooseFile; // empty when the user gives up
        std::function<void(const QString&)> playMidi;       // a MIDI file, played, not analysed
    };
    static QString chooseWithDialog(QWidget* parent);

    SoundOpening(QWidget& window, QMenu& menu, Hooks hooks);
    ~SoundOpening() override;
    SoundOpening(const SoundOpening&) = delete;
    SoundOpening& operator=(const SoundOpening&) = delete;

    void open(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void analysed(int request, const QString& name, const Opened& opened);

    QWidget& window_;
    Hooks hooks_;
    QThreadPool pool_;
    std::atomic<int> latest_ = 0;
};

// What the command line prints for --analyse FILE: the amplitudes as Copy amplitudes writes them
// and the fundamental on standard output, or one line saying why on standard error; the exit
// status.
int printAnalysis(const QString& path);

} // namespace app
