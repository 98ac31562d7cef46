#include "qt_picture.h"

namespace koppelo::runtime::qt {

PictureRef makePicture(QImage image)
{
    return runtime::makePicture(std::make_shared<const ImagePayload>(std::move(image)));
}

const QImage* imageOf(const PictureRef& picture)
{
    if (!picture)
        return nullptr;
    const auto* payload = dynamic_cast<const ImagePayload*>(picture->payload());
    return payload ? &payload->image() : nullptr;
}

}  // namespace koppelo::runtime::qt
