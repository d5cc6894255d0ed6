#pragma once

#include <QWidget>

namespace largeview {

// One harmonic's bar in the large view's chart, as the keyboard and a screen reader meet it: it
// takes the focus, and reads as a slider of the amplitude described by its phase. The view
// paints it and takes its mouse.
class Bar final : public QWidget {
    Q_OBJECT

public:
    Bar(std::size_t index, QWidget& view);

    [[nodiscard]] std::size_t index() const { return index_; }
    [[nodiscard]] double amplitude() const { return amplitude_; }
    [[nodiscard]] double phase() const { return phase_; }
    // Tells a screen reader when either changed.
    void present(double amplitude, double phase);

    // As a screen reader reads it: the amplitude.
    [[nodiscard]] double sliderValue() const { return amplitude_; }
    [[nodiscard]] QString sliderText() const { return QString::number(amplitude_, 'g', 6); }
    void setSliderValue(double value) { emit amplitudeStepped(index_, value - amplitude_); }
    [[nodiscard]] static double sliderMinimum();
    [[nodiscard]] static double sliderMaximum();
    [[nodiscard]] static double sliderStep() { return 1; }

signals:
    // The phase changed while the bar has the focus: words for a reader, which speaks a
    // slider's value but not its description when it changes.
    void phaseTurned(const QString& words);
    void amplitudeStepped(std::size_t index, double by);
    void phaseStepped(std::size_t index, double by);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::size_t index_;
    double amplitude_ = 0;
    double phase_ = 0;
};

} // namespace largeview
