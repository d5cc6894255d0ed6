#pragma once

#include "Chart.h"
#include "Labels.h"
#include "Picture.h"

#include <cstddef>
#include <span>

namespace largeview {

// The note over time under the wave: the 17 harmonics' tracks in dB down to the floor, in their
// colours, the pitch across its own range, and the cursor at the moment loaded; its title and
// the cursor's time and pitch above it, the note's start and end under it.
void paintTimePanel(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout,
                    double ratio);

// The moment nearest a point across the panel, and where a moment stands across it.
std::size_t momentAt(const Box& panel, double x, std::size_t moments);
double xOfMoment(const Box& panel, std::size_t moment, std::size_t moments);

// One harmonic's track across the columns, as heights in a panel `height` high: magnitudes of
// 100 at the top, the floor at the foot, silence below it; in a line from moment to moment where
// a moment is wider than a column, and the loudest of a column's moments where it is narrower.
void trackHeights(std::span<double> columns, std::span<const model::Moment> moments,
                  std::size_t harmonic, double height);

} // namespace largeview
