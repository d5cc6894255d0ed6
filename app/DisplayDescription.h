#pragma once

#include "editor/History.h"
#include "scope/Views.h"

#include <QObject>
#include <functional>

namespace forms {
class PictureBox;
}

namespace app {

// What the display shows, in words, for a screen reader: the sounding harmonics, the views
// that are on or the game's round, and the caption (the fit line, the game's level and score).
// Rebuilt at the display's next tick after something changed, never while nothing does.
class DisplayDescription final : public QObject {
    Q_OBJECT

public:
    DisplayDescription(forms::PictureBox& display, const scope::Views& views,
                       std::function<editor::Texts()> read);

    // Something it tells of may have changed.
    void changed();
    // Called at every tick of the display; costs nothing unless something changed.
    void refresh();

    // What the target is, in a few words ("SQUARE", "your drawing").
    void setAimName(const QString& name);
    [[nodiscard]] QString text() const;

private:
    [[nodiscard]] QString harmonics() const;

    forms::PictureBox& display_;
    const scope::Views& views_;
    std::function<editor::Texts()> read_;
    QString aimName_;
    bool dirty_ = true;
};

} // namespace app
