#pragma once

#include "model/TimbreOverTime.h"
#include "scope/Synthesis.h"
#include "scope/Views.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPaintDevice;

namespace largeview {

// The time panel's tracks as last drawn, kept by whoever paints them: as the cursor moves, they
// stay as they are.
struct TracksPicture {
    const model::TimbreOverTime* note = nullptr;
    QImage image;
};

// Everything the large view shows, as plain values, and its words in the user's language.
struct Scene {
    model::Timbre timbre;               // as set
    model::Phases heard{};              // as drawn: 0 in sine phase only
    bool harmonics = false;             // each sounding harmonic behind the sum
    const scope::Target* aim = nullptr; // the target or the game's wave, behind the sum
    bool decibels = false;
    std::optional<std::size_t> focused; // the bar the keys edit
    QString fit;                        // the fit line, when a target is shown
    QString status;                     // the game's level and score, during a round
    QString note;                       // what the program has just said, for a while
    QString sinePhasesNote;             // why the phases are not drawn, while they are not
    QString scaleNote;                  // "%1" with the amplitude the top stands for
    QString harmonicsNote;              // the legend's title
    QString chartNote;                  // what the chart is, and how to edit it
    double height = 0;                  // of the picture from the top; 0: the device's whole height
    // A note over time, when one is loaded: the time panel shows it, the cursor at a moment.
    const model::TimbreOverTime* overTime = nullptr;
    std::size_t cursor = 0;
    QString overTimeNote;                   // the panel's title
    QString cursorNote;                     // the cursor's time and pitch
    QString startNote, endNote;             // the times at the panel's ends
    TracksPicture* tracksPicture = nullptr; // kept between frames; none: drawn anew
};

// Where each text was drawn, and how many had to be cut short.
struct Drawn {
    std::vector<QRectF> texts;
    int cut = 0;
};
// The large view's whole picture on any paint device: a widget, or an image in a test.
Drawn paint(QPaintDevice& device, const Scene& scene);

} // namespace largeview
