// Reading what a window shows: the image its widgets were last painted
// into and flushed from to the screen. Nothing is painted for the read, so
// a widget that forgot to ask for a repaint shows stale here, as it would
// to the player. Unlike QWidget::grab(), which paints afresh.
#pragma once

#include <QImage>

class QWidget;

namespace koppelo::testkit {

// The part of its window's image that `widget` covers, in device pixels,
// as RGB32. Call it once the event loop has delivered pending updates, or
// on purpose before.
QImage flushed(const QWidget& widget);

}  // namespace koppelo::testkit
