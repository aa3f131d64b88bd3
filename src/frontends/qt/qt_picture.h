#pragma once
// A picture as the Qt front end holds it: an image shared between boxes and the clipboard.
#include <QImage>
#include <memory>

#include "platform/picture.h"

namespace stepwise::qt {

class QtPictureData : public PictureData {
public:
    explicit QtPictureData(QImage image) : image_(std::move(image)) {}
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// An empty Picture for a null image.
inline Picture makePicture(const QImage& image) {
    if (image.isNull()) return {};
    return std::make_shared<const QtPictureData>(image);
}

// The picture's image; a null image for no picture or one this front end did not make.
inline QImage imageOf(const Picture& picture) {
    const auto* data = dynamic_cast<const QtPictureData*>(picture.get());
    return data ? data->image() : QImage();
}

}  // namespace stepwise::qt
