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
    setSize(height, bold);
    const QFontMetricsF metrics(painter_.font());
    double widest = 0;
    for (const QString& text : texts) {
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    return widest <= width ? height : std::max(height / 2, std::floor(height * width / widest));
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
    const QString shown = metrics.horizontalAdvance(text) <= box.width()
                              ? text
                              : metrics.elidedText(text, Qt::ElideRight, box.width());
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
