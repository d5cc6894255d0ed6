#pragma once

#include "DisplayDescription.h"
#include "DisplayViews.h"
#include "EditActions.h"
#include "Form1Handlers.h"
#include "SoundControls.h"
#include "WaveGameActions.h"
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
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

namespace largeview {
class LargeView;
}
namespace keyboard {
class PlayMode;
}

namespace app {

class SoundOpening;

// The program's one window: every control as designed, each event wired to its handler.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    // The reporter shows a run-time error to the user before the program ends. Sound goes to
    // the given output; without one, sound stays off and says why.
    // The game draws its waves from the given source, or from one seeded by the clock.
    explicit Form1(forms::ErrorBoundary::Reporter reporter,
                   std::unique_ptr<audio::SoundOutput> sound = nullptr, game::Random random = {},
                   QWidget* parent = nullptr);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1() override;

    // Takes a sound file apart into the boxes, as Open sound does.
    void openSound(const QString& path);

private:
    void createControls();
    void createBoxes();
    void createSliders();
    void createButtons();
    void createLabel();
    void chainTabOrder();
    void createDisplayMenu();
    void load(std::span<const std::string> texts);
    void createEditActions();
    void createWaveGame(game::Random random);
    void createLargeView();
    [[nodiscard]] editor::Texts texts() const;
    void writeAmplitude(std::size_t index, double amplitude);
    void toneChanged(model::Tone::Change change);
    [[nodiscard]] Form1Controls adaptControls();

    forms::ErrorBoundary boundary_;
    model::Tone tone_;

    forms::PictureBox* oscil_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    std::array<QScrollBar*, layout::slotCount> vscroll1_{};
    std::array<QLineEdit*, layout::slotCount> harmonika_{};
    std::array<QPushButton*, layout::command1.size()> command1_{};
    QLabel* label2_ = nullptr;
    QTimer* timer1_ = nullptr;

    std::array<std::unique_ptr<forms::QtTextBox>, layout::slotCount> boxes_;
    std::array<std::unique_ptr<forms::QtScrollBar>, layout::slotCount> sliders_;
    std::array<std::unique_ptr<forms::QtButton>, layout::command1.size()> buttons_;
    std::unique_ptr<forms::QtTimer> timer_;
    std::unique_ptr<Form1Handlers> handlers_;
    std::unique_ptr<audio::SoundOutput> soundOutput_;
    QMenu* displayMenu_ = nullptr;
    SoundControls* sound_ = nullptr;
    DisplayViews* views_ = nullptr;
    DisplayDescription* description_ = nullptr;
    EditActions* edits_ = nullptr;
    Note* note_ = nullptr;
    SoundOpening* soundOpening_ = nullptr;
    WaveGameActions* game_ = nullptr;
    largeview::LargeView* largeView_ = nullptr; // made when first opened
    keyboard::PlayMode* play_ = nullptr;
};

} // namespace app
