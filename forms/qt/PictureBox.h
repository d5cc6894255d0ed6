#pragma once

#include "forms/Display.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <optional>

namespace forms {

// A drawing surface that keeps its picture in an image: drawing goes to the image, and the
// widget only shows it, so the same picture can be inspected without a screen.
class PictureBox final : public QWidget, public Display {
    Q_OBJECT

public:
    PictureBox(QSize size, Color background, QWidget* parent = nullptr);
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox() override;

    void cls() override;
    void line(PointF from, PointF to, Color color) override;

    // The picture as drawn so far.
    [[nodiscard]] const QImage& image();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainter& painter();
    void finishDrawing();
    void scheduleRepaint();

    QImage image_;
    QColor background_;
    // One painter lives across the strokes of a frame: opening one per line costs more than
    // drawing the line.
    std::optional<QPainter> painter_;
    bool repaintScheduled_ = false;
};

} // namespace forms
