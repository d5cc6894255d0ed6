#pragma once

#include "model/TimbreOverTime.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace app {

// A sound taken apart over time: its note's tracks, and the note three ways at the stream's
// rate, ready to hear.
struct TakenNote {
    QString path;
    std::shared_ptr<const model::TimbreOverTime> note;
    std::shared_ptr<const std::vector<float>> recording;
    std::shared_ptr<const std::vector<float>> resynthesis;
    std::shared_ptr<const std::vector<float>> residual;
};

// The items for the note of the sound last taken apart, in the menu given: its tracks in the
// large view (O), the recording (R), the resynthesis (E) and what is left (X) heard, and its
// tracks exported as CSV (Ctrl+T). Until a sound is taken apart they are unavailable.
class NoteActions final : public QObject {
    Q_OBJECT

public:
    NoteActions(QWidget& display, QMenu& menu);

    void take(const std::shared_ptr<const TakenNote>& taken);
    [[nodiscard]] const TakenNote* taken() const { return taken_.get(); }

signals:
    void overTimeWanted();
    void hearWanted(std::shared_ptr<const std::vector<float>> samples);
    void exportWanted(const TakenNote& taken);

private:
    std::vector<QAction*> items_;
    std::shared_ptr<const TakenNote> taken_;
    // The note before: a clip the sound may still hold is never freed on the sound's thread.
    std::shared_ptr<const TakenNote> before_;
};

} // namespace app
