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

// Each column's loudest value of one harmonic's track, as a height in a panel `height` high:
// magnitudes of 100 at the top, the floor at the foot, silence below it.
void trackHeights(std::span<double> columns, std::span<const model::Moment> moments,
                  std::size_t harmonic, double height);

} // namespace largeview
