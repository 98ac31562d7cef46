// The image a window last flushed: unlike QWidget::grab() nothing is painted, so a missed repaint shows stale.
#pragma once

#include <QBackingStore>
#include <QImage>
#include <QWidget>

#include <stdexcept>

namespace koppelo::testkit {

// Read in place, for a few pixels many times over without copying the window.
inline const QImage& flushedImage(const QWidget& widget)
{
    const auto* image = dynamic_cast<const QImage*>(widget.window()->backingStore()->paintDevice());
    if (image == nullptr)
        throw std::runtime_error("the window does not paint into an image");
    return *image;
}

// The part `widget` covers, in device pixels.
inline QImage flushed(const QWidget& widget)
{
    const QImage& image = flushedImage(widget);
    const qreal ratio = image.devicePixelRatio();
    const QPoint at = widget.mapTo(widget.window(), QPoint(0, 0)) * ratio;
    return image.copy(QRect(at, widget.size() * ratio)).convertToFormat(QImage::Format_RGB32);
}

}  // namespace koppelo::testkit
