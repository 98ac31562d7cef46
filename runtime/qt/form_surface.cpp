#include "form_surface.h"

#include <QPainter>

namespace koppelo::runtime::qt {

namespace {

constexpr double kPointsPerInch = 72.0;

}  // namespace

FormSurface::FormSurface(QWidget* parent) : QWidget(parent), layoutDpi_(logicalDpiX())
{
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void FormSurface::addItem(const SurfaceItem& item)
{
    items_.push_back(item);
    update();
}

int FormSurface::pixels(int twips) const
{
    return twipsToPixels(twips, layoutDpi_);
}

QRect FormSurface::pixels(const TwipsRect& rect) const
{
    return {pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height)};
}

QFont FormSurface::fontFor(const FontStyle& style, double dotsPerInch)
{
    QFont font(QString::fromLatin1(style.family));
    // Whole pixels, as the classic desktop sized fonts: 14.25 pt is 19 px at 96 dpi.
    font.setPixelSize(qRound(style.points * dotsPerInch / kPointsPerInch));
    font.setBold(style.bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

double FormSurface::deviceDpi() const
{
    return logicalDpiX() * devicePixelRatioF();
}

QRect FormSurface::devicePixels(const TwipsRect& rect) const
{
    const double dpi = deviceDpi();
    return {twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi), twipsToPixels(rect.width, dpi),
            twipsToPixels(rect.height, dpi)};
}

// The surface draws no focus of its own, so it need not repaint.
void FormSurface::focusInEvent(QFocusEvent*)
{
    accessibleParts_.surfaceFocused();
}

void FormSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // One unit is one device pixel from here on.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    for (const SurfaceItem& item : items_)
        std::visit([&](const auto& each) { paint(painter, each); }, item);
}

void FormSurface::paint(QPainter& painter, const SurfaceShape& shape) const
{
    const QRect r = devicePixels(shape.rect);
    painter.fillRect(r, palette().color(QPalette::WindowText));
    painter.fillRect(r.adjusted(1, 1, -1, -1), shape.fill);
}

void FormSurface::paint(QPainter& painter, const SurfaceLine& line) const
{
    const double dpi = deviceDpi();
    const QPoint from(twipsToPixels(line.x1, dpi), twipsToPixels(line.y1, dpi));
    const QPoint to(twipsToPixels(line.x2, dpi), twipsToPixels(line.y2, dpi));
    const QColor colour = palette().color(QPalette::WindowText);
    if (from.x() == to.x() || from.y() == to.y()) {
        const QRect r = from.x() == to.x() ? QRect(from.x(), std::min(from.y(), to.y()), 1, std::abs(to.y() - from.y()))
                                           : QRect(std::min(from.x(), to.x()), from.y(), std::abs(to.x() - from.x()), 1);
        painter.fillRect(r, colour);
    } else {
        painter.setPen(QPen(colour, 0));
        painter.drawLine(from, to);
    }
}

void FormSurface::paint(QPainter& painter, const SurfaceLabel& label) const
{
    const QRect r = devicePixels(label.rect);
    painter.save();
    painter.setClipRect(r);
    if (!label.transparent)
        painter.fillRect(r, palette().color(QPalette::Button));
    painter.setFont(fontFor(label.font, deviceDpi()));
    painter.setPen(label.textColour.value_or(palette().color(QPalette::ButtonText)));
    const Qt::Alignment align = Qt::AlignTop | (label.align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
    painter.drawText(r, static_cast<int>(align | Qt::TextSingleLine), QString::fromStdString(label.caption->caption()));
    painter.restore();
}

}  // namespace koppelo::runtime::qt
