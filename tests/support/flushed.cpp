#include "flushed.h"

#include <QBackingStore>
#include <QWidget>

#include <stdexcept>

namespace koppelo::testkit {

QImage flushed(const QWidget& widget)
{
    const QWidget& window = *widget.window();
    QBackingStore* store = window.backingStore();
    const auto* image = store ? dynamic_cast<const QImage*>(store->paintDevice()) : nullptr;
    if (image == nullptr)
        throw std::runtime_error("the window does not paint into an image");
    const qreal ratio = image->devicePixelRatio();
    const QPoint at = widget.mapTo(&window, QPoint(0, 0));
    return image
        ->copy(qRound(at.x() * ratio), qRound(at.y() * ratio), qRound(widget.width() * ratio),
               qRound(widget.height() * ratio))
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace koppelo::testkit
