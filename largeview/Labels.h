#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

namespace largeview {

// The texts of the large view, each in a box it must not leave: drawn in the box's height, or
// smaller where its width is too narrow, and cut short with an ellipsis only where even half
// that size would not fit. What was drawn where is kept, so that a test can see no two touch.
class Labels {
public:
    explicit Labels(QPainter& painter) : painter_(painter) {}

    // The pixel size, at most `height`, at which every text fits `width`; never under half.
    [[nodiscard]] double fitting(const std::vector<QString>& texts, double height, double width,
                                 bool bold = false) const;
    // A text's width at a pixel size.
    [[nodiscard]] double widthOf(const QString& text, double height, bool bold = false) const;
    // One line in the box, at most `height` high (0: the box's).
    void draw(const QRectF& box, int flags, const QString& text, double height = 0,
              bool bold = false);
    // Words wrapped over as many lines as the box holds.
    void drawWrapped(const QRectF& box, const QString& text, double height);

    [[nodiscard]] const std::vector<QRectF>& drawn() const { return drawn_; }
    // Texts cut short: none, where the layout gives each room enough.
    [[nodiscard]] int cut() const { return cut_; }

private:
    void setSize(double height, bool bold) const;

    QPainter& painter_;
    std::vector<QRectF> drawn_;
    int cut_ = 0;
};

} // namespace largeview
