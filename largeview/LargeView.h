#pragma once

#include "Bar.h"
#include "EnvelopeEditor.h"
#include "Picture.h"
#include "TimeCursor.h"
#include "model/Tone.h"
#include "scope/Renderer.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QAction;
namespace accessible {
class Announcement;
}

namespace largeview {

// A window of its own that a class can read from the back of the room: the tone's wave over two
// periods, scaled to fit, and a chart of the 17 harmonics to edit. It shows the tone and edits it
// through the tone, so the designed window and this one always agree. Redrawn only when
// something changed.
class LargeView final : public QWidget {
    Q_OBJECT

public:
    // The actions (undo, the views) work here as in the main window.
    LargeView(model::Tone& tone, scope::FitWording wording, QWidget& owner);

    // The display's description, for a screen reader.
    void setDescription(const QString& text);
    // What the program has just said, shown over the wave for a while.
    void showNote(const QString& text);
    [[nodiscard]] bool decibels() const { return decibels_; }
    // Keys on screen, shown under the chart while notes are played, beside the envelope of the
    // notes played.
    void setPiano(QWidget* piano);
    void showPiano(bool on);
    // A note over time to show under the wave, its cursor at its loudest moment; none hides the
    // panel. Moving the cursor loads the moment into the tone.
    void setNoteOverTime(std::shared_ptr<const model::TimbreOverTime> note);
    // The cursor takes the focus, for the keys.
    void focusTimePanel();
    // The envelope of played notes, under the chart from now on, its first handle focused.
    void showEnvelope();

signals:
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Grip {
        std::size_t index;
        bool phase;
    };
    void toneChanged();
    void placeBars();
    [[nodiscard]] int pictureHeight() const;
    [[nodiscard]] std::optional<Grip> gripAt(QPointF at) const;
    void drag(QPointF at);
    [[nodiscard]] Scene scene() const;
    [[nodiscard]] bool timePanelShown() const;
    void cursorMoved(std::size_t moment);
    void cursorSettled();

    model::Tone& tone_;
    scope::FitWording wording_;
    accessible::Announcement* announcement_;
    std::array<Bar*, scope::harmonicCount> bars_{};
    TimeCursor* cursor_;
    mutable TracksPicture tracksPicture_; // drawn again only for another note or size
    std::optional<Grip> dragging_;
    bool draggingTime_ = false;
    bool holdingSteps_ = false; // while the cursor moves: one step for the gesture
    bool decibels_ = false;
    QWidget* piano_ = nullptr;
    EnvelopeEditor* envelope_;
    bool envelopeWanted_ = false; // shown whether or not notes are played
    double wheelTurn_ = 0;
    QTimer wheelPause_; // ends a scroll gesture's step
    QString note_;
    QTimer noteTimer_;
    static constexpr int wheelMergeKey = 1000; // and the bar's index
};

} // namespace largeview
