#pragma once

#include "forms/Display.h"
#include "forms/LineClip.h"

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace forms {

// A drawing surface that keeps its picture in an image the widget only shows, so the same
// picture can be inspected without a screen. Lines are rasterised here, pixel by pixel, the
// same way as on the in-memory display.
//
// The strokes since the last clear are recorded and rasterised once the caller is done (when
// control returns to the event loop, or when the image is asked for). A frame that repeats
// the previous one stroke for stroke costs no rasterising and no repaint: redrawing an
// unchanged waveform ten times a second then costs next to nothing.
class PictureBox final : public QWidget, public Display {
    Q_OBJECT

public:
    PictureBox(QSize size, Color background, QWidget* parent = nullptr);

    void cls() override;
    void line(PointF from, PointF to, Color color) override;
    void curve(std::span<const float> ys, Color color) override;
    void caption(std::string_view text) override;

    // The picture as drawn so far, without the caption.
    [[nodiscard]] const QImage& image();
    [[nodiscard]] QString captionText() const { return caption_; }

signals:
    // A picture with something drawn on it has reached the screen.
    void framePainted();
    // The line of text over the picture is another.
    void captionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A line, or a curve when it has points of its own.
    struct Stroke {
        Segment segment;
        Color color;
        std::vector<float> curve;

        friend bool operator==(const Stroke& a, const Stroke& b) {
            return a.segment.from.x == b.segment.from.x && a.segment.from.y == b.segment.from.y &&
                   a.segment.to.x == b.segment.to.x && a.segment.to.y == b.segment.to.y &&
                   a.color == b.color && a.curve == b.curve;
        }
    };

    void commitSoon();
    void commit();
    // Plots the strokes being drawn from the first given on.
    void plotStrokes(std::size_t first);

    QImage image_;
    QColor background_;
    std::vector<Stroke> drawing_;    // since the last clear, as the caller drew them
    std::vector<Stroke> shown_;      // what the image holds, over the background
    std::vector<std::size_t> inked_; // every pixel those strokes set, by index into the image
    QTimer commitTimer_;             // fires once control is back in the event loop
    QString caption_;
};

} // namespace forms
