#pragma once

#include "Form1Handlers.h"
#include "WindowLayout.h"
#include "forms/ErrorBoundary.h"
#include "forms/qt/PictureBox.h"
#include "forms/qt/QtButton.h"
#include "forms/qt/QtScrollBar.h"
#include "forms/qt/QtTextBox.h"
#include "forms/qt/QtTimer.h"
#include "model/Tone.h"

#include <QWidget>
#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace app {

// The window as designed, and nothing more: every control in its place, each event wired to
// its handler, and the tone those controls edit. What lies beyond it (the display's menu and
// every feature there) is built around it by the program (see Program).
class Form1 final : public QWidget {
    Q_OBJECT

public:
    using Boxes = std::array<QLineEdit*, layout::slotCount>;

    // The reporter shows a run-time error to the user before the program ends. The fit line's
    // words are the display's, in the user's language.
    explicit Form1(forms::ErrorBoundary::Reporter reporter,
                   scope::FitWording fitWording = scope::plainFitWording,
                   QWidget* parent = nullptr);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1() override;

    [[nodiscard]] model::Tone& tone() { return tone_; }
    [[nodiscard]] forms::PictureBox& display() { return *oscil_; }
    [[nodiscard]] const Boxes& boxes() const { return harmonika_; }
    [[nodiscard]] QTimer& timer() { return *timer1_; }
    [[nodiscard]] forms::ErrorBoundary& boundary() { return boundary_; }
    // The boxes' texts as they stand.
    [[nodiscard]] editor::Texts texts() const;
    // Draws the display now rather than at the next tick.
    void redraw();

signals:
    // After the preset has been loaded.
    void presetClicked(int preset);

private:
    void createControls();
    void createBoxes();
    void createSliders();
    void createButtons();
    void createLabel();
    void chainTabOrder();
    void load(std::span<const std::string> texts);
    [[nodiscard]] Form1Controls adaptControls();

    forms::ErrorBoundary boundary_;
    model::Tone tone_;

    forms::PictureBox* oscil_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    std::array<QScrollBar*, layout::slotCount> vscroll1_{};
    Boxes harmonika_{};
    std::array<QPushButton*, layout::command1.size()> command1_{};
    QLabel* label2_ = nullptr;
    QTimer* timer1_ = nullptr;

    std::array<std::unique_ptr<forms::QtTextBox>, layout::slotCount> boxes_;
    std::array<std::unique_ptr<forms::QtScrollBar>, layout::slotCount> sliders_;
    std::array<std::unique_ptr<forms::QtButton>, layout::command1.size()> buttons_;
    std::unique_ptr<forms::QtTimer> timer_;
    std::unique_ptr<Form1Handlers> handlers_;
};

} // namespace app
