#pragma once

#include "analysis/SoundAnalysis.h"
#include "model/Tone.h"
#include "scope/Drawing.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace app {

// Drawing a wave on the display with the mouse, and the views of the harmonics, of the target
// and of sine phases only: their menu items and keys, and what sets the target. The views are
// the tone's.
class DisplayViews final : public QObject {
    Q_OBJECT

public:
    // A drawing's harmonics go into the tone; redraw shows the display at once.
    DisplayViews(QWidget& display, QMenu& menu, model::Tone& tone, std::function<void()> redraw);

    [[nodiscard]] const scope::Views& views() const { return views_; }
    // What the target is, in a few words; empty before there is one.
    [[nodiscard]] const QString& aimName() const { return aimName_; }
    // The fit line as the display writes it, in the user's language and number format.
    [[nodiscard]] static std::string fitWording(const std::optional<scope::Fit>& fit);

    void presetClicked(int index);
    // A sound's own period, at its pitch, becomes the target.
    void aimAt(const analysis::Harmonics& sound);
    void amplitudesChanged();
    // Says, over the display, when phases are set but set aside.
    void phasesChanged();
    // The game's round while it is played; none once it ends, and the views are as they were.
    void showRound(const std::optional<scope::Views::Round>& round);

signals:
    // A view was switched, or the target changed.
    void shownChanged();
    // Why there is nothing to show.
    void said(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void draw(QPointF at);
    void finishDrawing();
    void cancelDrawing();
    void sayIfNoTarget();
    void changed();

    model::Tone& tone_;
    scope::Views& views_;
    std::optional<scope::Drawing> drawing_;
    std::optional<scope::Curve> shownBefore_; // back on screen if the stroke comes to nothing
    bool loadingDrawing_ = false;
    std::function<void()> redraw_;
    QString aimName_;
    QAction* sinePhases_ = nullptr;
};

} // namespace app
