#pragma once

#include "scope/Synthesis.h"
#include "scope/Views.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPaintDevice;

namespace largeview {

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
};

// Where each text was drawn, and how many had to be cut short.
struct Drawn {
    std::vector<QRectF> texts;
    int cut = 0;
};
// The large view's whole picture on any paint device: a widget, or an image in a test.
Drawn paint(QPaintDevice& device, const Scene& scene);

} // namespace largeview
