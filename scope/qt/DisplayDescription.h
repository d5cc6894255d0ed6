#pragma once

#include "scope/Scene.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace accessible {
class Announcement;
}
namespace forms {
class PictureBox;
}

namespace app {

// What the display shows, in words, for a screen reader: the sounding harmonics, the views
// that are on or the game's round, and the caption (the fit line, the game's level and score).
// Rebuilt at the display's next tick after something changed, never while nothing does. Once a
// change has settled it is spoken, when the display has the focus or a preset made it, unless
// a note has spoken of it already.
class DisplayDescription final : public QObject {
    Q_OBJECT

public:
    // The scene is what the display shows, as the tone decides it.
    DisplayDescription(forms::PictureBox& display, std::function<scope::Scene()> scene);

    // Something it tells of may have changed.
    void changed();
    // Called at every tick of the display; costs nothing unless something changed.
    void refresh();

    // What the target is, in a few words ("SQUARE", "your drawing").
    void setAimName(const QString& name);
    // A preset was pressed: what it set is spoken, wherever the focus is.
    void presetPressed();
    // A note has appeared: it speaks for the change it came with, unless a preset made that.
    void noteSaid();
    [[nodiscard]] QString text() const;

private:
    [[nodiscard]] static QString harmonics(const model::Amplitudes& amplitudes);
    [[nodiscard]] QStringList shown() const; // all but the menu's hint
    void speakSettled();

    forms::PictureBox& display_;
    std::function<scope::Scene()> scene_;
    QString aimName_;
    bool dirty_ = true;
    accessible::Announcement* announcement_;
    QTimer settled_;
    bool presetPressed_ = false;
    QElapsedTimer sinceNote_;
};

} // namespace app
