#pragma once

#include "audio/SoundSnapshot.h"
#include "editor/History.h"
#include "model/TimbreOverTime.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QMenu;
class QWidget;

namespace app {

// A note is exported as a wavetable of this many frames unless the user asks for another count,
// up to the most.
inline constexpr std::size_t defaultFrames = 64;
inline constexpr std::size_t mostExportedFrames = 256;

// Each frame as the boxes would take it.
std::vector<editor::Step> stepsOf(const model::TimbreOverTime& frames);
// Frames as a wavetable file of 2048 samples a frame, each frame's peak at 1, with their recipe;
// why it could not be written, or nothing.
QString writeWavetableFile(const QString& path, std::span<const editor::Step> frames);

// Saving the display's picture and exporting the sound, and a note's tracks, to files the user
// chooses.
class FileActions final : public QObject {
    Q_OBJECT

public:
    // How the user is asked for a file and told of a failure; the standard dialogs unless a
    // test stands in for them. Where `frames` is given, the user is asked how many frames of the
    // note to export too, 1 being the boxes' timbre alone.
    struct Dialogs {
        std::function<QString(QWidget* parent, const QString& title, const QString& path,
                              const QString& filter, int* frames)>
            chooseFile;
        std::function<void(QWidget* parent, const QString& title, const QString& text)> fail;
    };
    static Dialogs standardDialogs();

    // The sound as heard, and the boxes' texts with the phases heard.
    FileActions(QWidget& window, QMenu& menu, QWidget& display,
                std::function<audio::SoundSnapshot()> sound, std::function<editor::Step()> step);

    void setDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }
    // A note over time, or a wavetable's frames, to export as frames; or none.
    void setNote(std::shared_ptr<const model::TimbreOverTime> note) { note_ = std::move(note); }
    // Asks where, beside the sound by default, and writes the note's tracks there as CSV.
    void exportTracks(const model::TimbreOverTime& note, const QString& soundPath);

signals:
    void said(const QString& text);

private:
    void savePicture();
    void exportSound();
    void exportWavetable();
    void exportHarmonics();
    [[nodiscard]] int offeredFrames() const;
    // The note's frames, or the boxes' timbre alone for 1, each as the boxes would take it.
    [[nodiscard]] model::TimbreOverTime framesToExport(int count) const;
    void writeCsv(const QString& title, const QString& failure, const QString& path,
                  const std::string& csv);
    void sayWhy(const QString& title, const QString& failure, const QString& path,
                const QString& reason);
    [[nodiscard]] QString choose(const QString& title, QString& folder, const QString& name,
                                 const QString& filter, int* frames = nullptr);

    QWidget& window_;
    QWidget& display_;
    std::function<audio::SoundSnapshot()> sound_;
    std::function<editor::Step()> step_;
    std::shared_ptr<const model::TimbreOverTime> note_;
    Dialogs dialogs_;
    QString pictureFolder_; // each dialog opens where it was last used
    QString soundFolder_;
};

} // namespace app
