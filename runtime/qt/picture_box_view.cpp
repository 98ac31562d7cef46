#include "picture_box_view.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "runtime/qt/qt_picture.h"

namespace koppelo::runtime::qt {

namespace {

constexpr int kSunkenWidth = 2;
constexpr int kFlatWidth = 1;

// The focus mark in logical pixels, so it grows with the scale factor: a gap
// to the drawing area's edge, then a light, a dark and a light line.
constexpr int kMarkInset = 2;
constexpr int kMarkLight = 1;
constexpr int kMarkDark = 2;

void outline(QPainter& painter, const QRect& r, int width, const QColor& colour)
{
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
    painter.fillRect(QRect(r.left(), r.bottom() + 1 - width, r.width(), width), colour);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
    painter.fillRect(QRect(r.right() + 1 - width, r.top(), width, r.height()), colour);
}

// One line of a three-dimensional edge: top and left in one colour, bottom
// and right in another, inset by `inset` device pixels.
void drawEdge(QPainter& painter, QRect outer, int inset, const QColor& topLeft, const QColor& bottomRight)
{
    const QRect r = outer.adjusted(inset, inset, -inset, -inset);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 1, 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 1), bottomRight);
}

// A screen reader sees a picture box as a picture.
QAccessibleInterface* graphicFactory(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<PictureBoxView*>(object))
        return new QAccessibleWidget(box, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

PictureBoxView::PictureBoxView(runtime::PictureRef picture, BoxBorder border, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), border_(border)
{
    setBackgroundRole(QPalette::Button);
    // Not marked opaque, though every paint covers the whole box: what lies
    // beneath is hidden anyway, and forty holes in the surface's clip cost
    // the first paint more than the surface's fill under the boxes.
    setFocusPolicy(Qt::ClickFocus);
    QAccessible::installFactory(&graphicFactory);  // kept once, however many boxes
}

void PictureBoxView::setPicture(runtime::PictureRef picture)
{
    picture_ = std::move(picture);
    update();
}

int PictureBoxView::borderWidth() const
{
    switch (border_) {
    case BoxBorder::Sunken:
        return kSunkenWidth;
    case BoxBorder::Flat:
        return kFlatWidth;
    case BoxBorder::None:
        break;
    }
    return 0;
}

QSize PictureBoxView::deviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {qRound(width() * ratio), qRound(height() * ratio)};
}

QRect PictureBoxView::drawingArea() const
{
    const int b = borderWidth();
    return QRect(QPoint(0, 0), deviceSize()).adjusted(b, b, -b, -b);
}

void PictureBoxView::setFocusMarked(bool marked)
{
    if (marked == focusMarked_)
        return;
    focusMarked_ = marked;
    update();
}

void PictureBoxView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // From here on one unit is one device pixel, so nothing is ever scaled.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    paintFrame(painter);

    if (const QImage* image = imageOf(picture_)) {
        const QRect area = drawingArea();
        painter.setClipRect(area);
        QImage unscaled = *image;  // shares the pixels; only the ratio differs
        unscaled.setDevicePixelRatio(1.0);
        painter.drawImage(area.topLeft(), unscaled);
    }
    if (focusMarked_)
        paintFocusMark(painter);
}

// Drawn anew at each paint: a handful of fills, where a cached picture of
// every box size would stay in memory for the program's life.
void PictureBoxView::paintFrame(QPainter& painter) const
{
    const QRect whole(QPoint(0, 0), deviceSize());
    const QPalette& colours = palette();
    painter.fillRect(whole, colours.color(backgroundRole()));
    switch (border_) {
    case BoxBorder::Sunken:
        drawEdge(painter, whole, 0, colours.color(QPalette::Dark), colours.color(QPalette::Light));
        drawEdge(painter, whole, 1, colours.color(QPalette::Shadow), colours.color(QPalette::Midlight));
        break;
    case BoxBorder::Flat:
        drawEdge(painter, whole, 0, colours.color(QPalette::WindowText), colours.color(QPalette::WindowText));
        break;
    case BoxBorder::None:
        break;
    }
}

void PictureBoxView::paintFocusMark(QPainter& painter) const
{
    const qreal ratio = devicePixelRatioF();
    const auto device = [ratio](int logical) { return qMax(1, qRound(logical * ratio)); };
    const int light = device(kMarkLight);
    const int dark = device(kMarkDark);
    const int inset = device(kMarkInset);
    QRect ring = drawingArea().adjusted(inset, inset, -inset, -inset);
    outline(painter, ring, light, Qt::white);
    ring.adjust(light, light, -light, -light);
    outline(painter, ring, dark, Qt::black);
    ring.adjust(dark, dark, -dark, -dark);
    outline(painter, ring, light, Qt::white);
}

void PictureBoxView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    QWidget::mousePressEvent(event);
}

// A click is a left press and release on the same box, as on any button.
void PictureBoxView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

}  // namespace koppelo::runtime::qt
