#include "frontends/qt/picture_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

#include "app/accessible_texts.h"
#include "app/control_table.h"
#include "frontends/qt/qt_picture.h"
#include "frontends/qt/qt_text.h"

namespace stepwise::qt {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    describeContent();
}

void PictureBox::describeContent() {
    setAccessibleDescription(toQString(pictureDescription(circleCount_, picture_ != nullptr)));
}

void PictureBox::setUserScale(float width, float height) {
    if (width == 0 || height == 0) return;
    userScale_ = QSizeF(width, height);
}

QSizeF PictureBox::userScale() const {
    if (userScale_) return *userScale_;
    return QSizeF(interior().size()) * twipsPerPixel;
}

double PictureBox::horizontalPixels(float length) const { return length * interior().width() / userScale().width(); }

QPointF PictureBox::toPixels(float x, float y) const {
    const QSizeF scale = userScale();
    const QRect area = interior();
    return QPointF(area.left() + x * area.width() / scale.width(), area.top() + y * area.height() / scale.height());
}

void PictureBox::drawCircle(float x, float y, float radius) {
    fitSurface();
    QPainter painter(&surface_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(drawingColour_, 1));
    painter.setBrush(Qt::NoBrush);
    const QPointF centre = toPixels(x, y) - QPointF(interior().topLeft());
    const double r = horizontalPixels(radius);
    painter.drawEllipse(centre, r, r);
    ++circleCount_;
    describeContent();
    update();
}

void PictureBox::setPicture(const Picture& picture) {
    picture_ = imageOf(picture).isNull() ? Picture{} : picture;
    describeContent();
    update();
}

void PictureBox::fitSurface() {
    const qreal ratio = devicePixelRatioF();
    const QSize size = interior().size() * ratio;
    if (surface_.size() == size && surface_.devicePixelRatio() == ratio) return;
    QImage fitted(size, QImage::Format_ARGB32_Premultiplied);
    fitted.setDevicePixelRatio(ratio);
    fitted.fill(Qt::transparent);
    if (!surface_.isNull()) {
        QPainter painter(&fitted);
        painter.drawImage(QRectF(QPointF(0, 0), surface_.deviceIndependentSize()), surface_);
    }
    surface_ = std::move(fitted);
}

void PictureBox::paintEvent(QPaintEvent*) {
    fitSurface();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setClipRect(interior());
    const QImage image = imageOf(picture_);
    if (!image.isNull()) painter.drawImage(interior().topLeft(), image);
    painter.drawImage(interior().topLeft(), surface_);
    painter.setClipping(false);
    drawFrame(&painter);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = interior().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

}  // namespace stepwise::qt
