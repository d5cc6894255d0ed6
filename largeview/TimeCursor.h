#pragma once

#include "model/TimbreOverTime.h"

#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <memory>

namespace largeview {

// The time panel's cursor as the keyboard and a screen reader meet it: it takes the focus and
// reads as a slider ("Time 0.35 s", or a wavetable's "Frame 3"). Left and Right move it a
// moment, Page Up and Page Down 100 ms (or 8 frames), Home and End to the note's ends; the view
// paints it and hands it the mouse. It says when it moved, and when it has stood still long enough
// for the move to count as done.
class TimeCursor final : public QWidget {
    Q_OBJECT

public:
    // How long the cursor stands still before a run of moves is taken as one gesture.
    static constexpr int settleMs = 500;

    explicit TimeCursor(QWidget& view);

    void setNote(std::shared_ptr<const model::TimbreOverTime> note);
    [[nodiscard]] const model::TimbreOverTime* note() const { return note_.get(); }
    [[nodiscard]] std::size_t moment() const { return moment_; }
    [[nodiscard]] double seconds() const;
    // The cursor's time as a reader says it and the panel shows it.
    [[nodiscard]] QString timeText() const {
        return note_ != nullptr ? textOf(*note_, moment_) : QString();
    }
    // Any moment so written: "0.35 s", in the user's number format, or a table's "frame 3".
    [[nodiscard]] static QString textOf(const model::TimbreOverTime& note, std::size_t moment);
    // As a screen reader reads it: the time in seconds, or a table's frame.
    [[nodiscard]] double sliderValue() const { return seconds(); }
    [[nodiscard]] QString sliderText() const { return timeText(); }
    void setSliderValue(double value);
    [[nodiscard]] double sliderMinimum() const;
    [[nodiscard]] double sliderMaximum() const;
    [[nodiscard]] double sliderStep() const { return note_ != nullptr ? note_->stepSeconds : 0.01; }
    // To a moment, as a click or a drag puts it; said at once, settled when the mouse lets go.
    void moveTo(std::size_t moment);
    void settle();

signals:
    void moved(std::size_t moment);
    void settled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::shared_ptr<const model::TimbreOverTime> note_;
    std::size_t moment_ = 0;
    QTimer settling_;
};

} // namespace largeview
