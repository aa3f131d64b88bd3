#pragma once
// A picture box: a white box with a user coordinate scale, a kept drawing surface and an assignable
// picture shown behind what is drawn. Its accessible description says what it holds.
#include <QFrame>
#include <QImage>
#include <QSizeF>
#include <optional>

#include "platform/picture.h"

namespace stepwise::qt {

class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The interior spans `width` user units across and `height` down, origin at the top-left
    // corner. A zero extent would make every point the same, so it is refused. Until a scale is
    // set the units are twips.
    void setUserScale(float width, float height);
    QSizeF userScale() const;

    // A whole circle outline in the drawing colour, centred at (x, y) in user units. The radius is
    // measured in horizontal user units, as classic BASIC picture boxes do, so on a box whose
    // horizontal unit is longer than its vertical one the circle stays round in pixels.
    void drawCircle(float x, float y, float radius);

    // The assigned picture only, never what was drawn; empty when none is assigned.
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);

    // What has been drawn so far, transparent where nothing is; interior-sized.
    const QImage& surface() const { return surface_; }
    int circleCount() const { return circleCount_; }
    QColor drawingColour() const { return drawingColour_; }
    // The user point (x, y) in widget pixels.
    QPointF toPixels(float x, float y) const;
    // A length in horizontal user units, in pixels.
    double horizontalPixels(float length) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describeContent();
    // Keeps the surface the size of the interior, in device pixels, carrying over what is drawn.
    void fitSurface();
    QRect interior() const { return contentsRect(); }

    QImage surface_;
    Picture picture_;
    std::optional<QSizeF> userScale_;
    QColor drawingColour_ = Qt::black;
    int circleCount_ = 0;
};

}  // namespace stepwise::qt
