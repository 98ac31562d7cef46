#include "qt_picture.h"

namespace koppelo::runtime::qt {

const QImage& ImagePayload::image() const
{
    if (decode_) {
        image_ = decode_();
        decode_ = nullptr;
    }
    return image_;
}

PictureRef makePicture(QImage image)
{
    return runtime::makePicture(std::make_shared<const ImagePayload>(std::move(image)));
}

PictureRef makeLazyPicture(ImagePayload::Decoder decode)
{
    return runtime::makePicture(std::make_shared<const ImagePayload>(std::move(decode)));
}

const QImage* imageOf(const PictureRef& picture)
{
    if (!picture)
        return nullptr;
    const auto* payload = dynamic_cast<const ImagePayload*>(picture->payload());
    return payload ? &payload->image() : nullptr;
}

}  // namespace koppelo::runtime::qt
