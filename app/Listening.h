#pragma once

#include "analysis/SoundAnalysis.h"
#include "audio/SoundOutput.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <mutex>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace app {

// Listen (L with the display focused, or the menu; L again or Escape stops): the default input
// is taken apart about ten times a second, and the boxes, the target and the note follow it.
// The whole session is one undo step, and the program's own sound is silent meanwhile, as the
// microphone would hear it. It stops by itself when the input goes.
class Listening final : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        std::function<void(bool)> session; // starts and ends: hold the undo steps, the sound
        std::function<void(const analysis::Harmonics&)> show;
        std::function<void(const QString&)> say;
    };

    Listening(QWidget& display, QMenu& menu, audio::SoundOutput* input, Hooks hooks);

    // The input may have come or gone.
    void availabilityChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggled(bool on);
    void stop(const QString& why);
    void takeApart();

    audio::SoundOutput* input_;
    Hooks hooks_;
    QAction* action_;
    QTimer timer_;
    std::mutex mutex_; // the input's thread adds what it heard, the window's takes it
    std::vector<float> heard_;
};

} // namespace app
