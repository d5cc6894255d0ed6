#pragma once

#include "Chart.h"
#include "Labels.h"
#include "Picture.h"

#include <QColor>

namespace largeview {

[[nodiscard]] QColor colourOf(std::size_t k);
[[nodiscard]] inline QRectF rectOf(const Box& box) {
    return {box.x, box.y, box.width, box.height};
}

// The chart of the 17 harmonics: its caption, its scale, the bars and their numbers.
void paintChart(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout);

} // namespace largeview
