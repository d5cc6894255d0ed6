#pragma once

#include "analysis/SoundAnalysis.h"
#include "audio/SoundOutput.h"
#include "model/Tone.h"

#include <QObject>
#include <QTimer>
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
    // What is heard goes into the tone, and the whole session makes one undo step.
    Listening(QWidget& display, QMenu& menu, audio::SoundOutput* input, model::Tone& tone);

    // The input may have come or gone.
    void availabilityChanged();

signals:
    void said(const QString& text);
    // Starts and ends: the program's own sound is silent meanwhile.
    void sessionChanged(bool on);
    // A steady note was heard and is in the boxes now.
    void heard(const analysis::Harmonics& harmonics);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggled(bool on);
    void stop(const QString& why);
    void takeApart();

    audio::SoundOutput* input_;
    model::Tone& tone_;
    QAction* action_;
    QTimer timer_;
    std::mutex mutex_; // the input's thread adds what it heard, the window's takes it
    std::vector<float> heard_;
};

} // namespace app
