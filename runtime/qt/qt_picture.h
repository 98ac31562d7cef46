// The Qt side of picture references: a QImage behind the opaque payload, so
// the views can draw what the game only passes around.
#pragma once

#include <QImage>

#include "runtime/picture.h"

namespace koppelo::runtime::qt {

class ImagePayload final : public Picture::Payload {
public:
    explicit ImagePayload(QImage image) : image_(std::move(image)) {}
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// A new image object, with a handle of its own, showing image.
PictureRef makePicture(QImage image);

// The image behind a reference; nullptr for the empty picture or a picture
// without an image.
const QImage* imageOf(const PictureRef& picture);

}  // namespace koppelo::runtime::qt
