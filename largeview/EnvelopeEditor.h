#pragma once

#include "EnvelopeLayout.h"
#include "model/Tone.h"

#include <QWidget>
#include <array>
#include <optional>

namespace largeview {

class EnvelopeEditor;

// One setting as the keyboard and a screen reader meet it: it takes the focus and reads as a
// slider ("Attack slider 200, milliseconds"). Left and Down lower it a step, Right and Up raise it,
// Page Down and Page Up three, Home and End to its ends; each key is an undo step.
class EnvelopeHandle final : public QWidget {
    Q_OBJECT

public:
    EnvelopeHandle(Setting setting, EnvelopeEditor& editor);
    [[nodiscard]] Setting setting() const { return setting_; }
    [[nodiscard]] double value() const;
    // The value as read out and shown: "200 ms", "60 %", "1.5".
    [[nodiscard]] QString valueText() const;
    void setValue(double value);
    void announce();

    // As a screen reader reads it.
    [[nodiscard]] double sliderValue() const { return value(); }
    [[nodiscard]] QString sliderText() const { return valueText(); }
    void setSliderValue(double value) { setValue(value); }
    [[nodiscard]] double sliderMinimum() const {
        return model::envelopeRanges[std::size_t(setting_)].low;
    }
    [[nodiscard]] double sliderMaximum() const {
        return model::envelopeRanges[std::size_t(setting_)].high;
    }
    [[nodiscard]] double sliderStep() const { return setting_ == Setting::Brightness ? 0.1 : 1.0; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Setting setting_;
    EnvelopeEditor& editor_;
};

// A small picture of how a played note lives, set by dragging its handles: the attack's peak,
// the decay's end at the sustain level, the release's end, and the brightness, whose effect shows
// as the fifth harmonic's decay drawn beside the first's. Its edits go through the tone.
class EnvelopeEditor final : public QWidget {
    Q_OBJECT

public:
    EnvelopeEditor(model::Tone& tone, QWidget& parent);

    [[nodiscard]] model::Tone& tone() const { return tone_; }
    [[nodiscard]] EnvelopeHandle* handle(Setting setting) const {
        return handles_[std::size_t(setting)];
    }
    [[nodiscard]] QWidget* firstHandle() const { return handles_.front(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void envelopeChanged();
    void placeHandles();
    [[nodiscard]] QPointF place(Point point) const;
    [[nodiscard]] Point pointAt(QPointF at) const;
    void paintCurves(class QPainter& painter) const;

    model::Tone& tone_;
    std::array<EnvelopeHandle*, model::envelopeSettings> handles_{};
    std::optional<Setting> dragging_;
};

} // namespace largeview
