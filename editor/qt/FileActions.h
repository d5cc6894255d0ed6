#pragma once

#include "audio/SoundSnapshot.h"
#include "model/TimbreOverTime.h"

#include <QObject>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace app {

// Saving the display's picture and exporting the sound, and a note's tracks, to files the user
// chooses.
class FileActions final : public QObject {
    Q_OBJECT

public:
    // How the user is asked for a file and told of a failure; the standard dialogs unless a
    // test stands in for them.
    struct Dialogs {
        std::function<QString(QWidget* parent, const QString& title, const QString& path,
                              const QString& filter)>
            chooseFile;
        std::function<void(QWidget* parent, const QString& title, const QString& text)> fail;
    };
    static Dialogs standardDialogs();

    FileActions(QWidget& window, QMenu& menu, QWidget& display,
                std::function<audio::SoundSnapshot()> sound);

    void setDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }
    // Asks where, beside the sound by default, and writes the note's tracks there as CSV.
    void exportTracks(const model::TimbreOverTime& note, const QString& soundPath);

signals:
    void said(const QString& text);

private:
    void savePicture();
    void exportSound();
    void exportWavetable();
    void sayWhy(const QString& title, const QString& failure, const QString& path,
                const QString& reason);
    [[nodiscard]] QString choose(const QString& title, QString& folder, const QString& name,
                                 const QString& filter);

    QWidget& window_;
    QWidget& display_;
    std::function<audio::SoundSnapshot()> sound_;
    Dialogs dialogs_;
    QString pictureFolder_; // each dialog opens where it was last used
    QString soundFolder_;
};

} // namespace app
