// Reading what a window shows: the image its widgets were last painted
// into and flushed from to the screen. Nothing is painted for the read, so
// a widget that forgot to ask for a repaint shows stale here, as it would
// to the player; QWidget::grab() would paint afresh.
#pragma once

#include <QBackingStore>
#include <QImage>
#include <QWidget>

#include <stdexcept>

namespace koppelo::testkit {

// The whole image of `widget`'s window, read in place: for reading a few
// pixels many times over without copying the window each time.
inline const QImage& flushedImage(const QWidget& widget)
{
    const auto* image = dynamic_cast<const QImage*>(widget.window()->backingStore()->paintDevice());
    if (image == nullptr)
        throw std::runtime_error("the window does not paint into an image");
    return *image;
}

// The part of its window's image that `widget` covers, in device pixels.
// Read it once the event loop has delivered pending updates, or on purpose
// before.
inline QImage flushed(const QWidget& widget)
{
    const QImage& image = flushedImage(widget);
    const qreal ratio = image.devicePixelRatio();
    const QPoint at = widget.mapTo(widget.window(), QPoint(0, 0)) * ratio;
    return image.copy(QRect(at, widget.size() * ratio)).convertToFormat(QImage::Format_RGB32);
}

}  // namespace koppelo::testkit
