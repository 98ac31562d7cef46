// The Qt side of picture references: a QImage behind the opaque payload, so
// the views can draw what the game only passes around. An image can also be
// given as its decoder, run once when a view first draws it, so a picture
// nobody has seen yet costs nothing at start-up.
#pragma once

#include <QImage>

#include <functional>

#include "runtime/picture.h"

namespace koppelo::runtime::qt {

class ImagePayload final : public Picture::Payload {
public:
    using Decoder = std::function<QImage()>;

    explicit ImagePayload(QImage image) : image_(std::move(image)) {}
    explicit ImagePayload(Decoder decode) : decode_(std::move(decode)) {}

    // Decodes on the first call. Pictures live on the GUI thread only.
    const QImage& image() const;

private:
    mutable Decoder decode_;
    mutable QImage image_;
};

// A new image object, with a handle of its own, showing image.
PictureRef makePicture(QImage image);

// A new image object whose image is decoded the first time it is asked for.
// A decoder that throws is asked again next time.
PictureRef makeLazyPicture(ImagePayload::Decoder decode);

// The image behind a reference; nullptr for the empty picture or a picture
// without an image.
const QImage* imageOf(const PictureRef& picture);

}  // namespace koppelo::runtime::qt
