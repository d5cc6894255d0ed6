#include "Labels.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace largeview {

void Labels::setSize(double height, bool bold) const {
    QFont font = painter_.font();
    font.setPixelSize(std::max(1, int(std::floor(height))));
    font.setBold(bold);
    painter_.setFont(font);
}

double Labels::fitting(const std::vector<QString>& texts, double height, double width,
                       bool bold) const {
    const auto widest = [&](double size) {
        setSize(size, bold);
        const QFontMetricsF metrics(painter_.font());
        double most = 0;
        for (const QString& text : texts) {
            most = std::max(most, metrics.horizontalAdvance(text));
        }
        return most;
    };
    const double whole = widest(height);
    if (whole <= width) {
        return height;
    }
    // Glyphs do not shrink in proportion at small sizes: from the proportional guess, down a
    // pixel at a time until they fit.
    double size = std::max(height / 2, std::floor(height * width / whole));
    while (size > height / 2 && widest(size) > width) {
        size -= 1;
    }
    return std::max(size, height / 2);
}

double Labels::widthOf(const QString& text, double height, bool bold) const {
    setSize(height, bold);
    return QFontMetricsF(painter_.font()).horizontalAdvance(text);
}

void Labels::draw(const QRectF& box, int flags, const QString& text, double height, bool bold) {
    if (text.isEmpty() || box.width() <= 0) {
        return;
    }
    const double size = fitting({text}, height > 0 ? height : box.height(), box.width(), bold);
    setSize(size, bold);
    const QFontMetricsF metrics(painter_.font());
    const bool fits = metrics.horizontalAdvance(text) <= box.width();
    cut_ += fits ? 0 : 1;
    const QString shown = fits ? text : metrics.elidedText(text, Qt::ElideRight, box.width());
    QRectF used;
    painter_.drawText(box, flags | Qt::TextSingleLine, shown, &used);
    drawn_.push_back(used.intersected(box));
}

void Labels::drawWrapped(const QRectF& box, const QString& text, double height) {
    if (text.isEmpty()) {
        return;
    }
    setSize(height, false);
    QRectF used;
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
    drawn_.push_back(used.intersected(box));
}

} // namespace largeview
