// A window's own surface: the shapes, lines and labels that lie under every
// child window, laid out in twips and painted in device pixels so that
// one-pixel borders and lines stay one pixel at any scale factor.
#pragma once

#include <QColor>
#include <QWidget>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "runtime/label.h"
#include "runtime/qt/accessible_parts.h"
#include "runtime/twips.h"

namespace koppelo::runtime::qt {

struct FontStyle {
    const char* family;
    double points;
    bool bold = false;
};

enum class TextAlign { Left, Centre };

// A filled rectangle with a one-pixel window-text border on its outermost pixels.
struct SurfaceShape {
    TwipsRect rect;
    QColor fill;
};

// A one-pixel window-text line; the end point is not drawn.
struct SurfaceLine {
    int x1, y1, x2, y2;
};

// One line of text, clipped to its rectangle. Without a text colour it uses
// the button text colour; an opaque label fills its rectangle first.
struct SurfaceLabel {
    TwipsRect rect;
    const runtime::Label* caption;
    FontStyle font;
    TextAlign align = TextAlign::Left;
    bool transparent = false;
    std::optional<QColor> textColour = std::nullopt;
};

using SurfaceItem = std::variant<SurfaceShape, SurfaceLine, SurfaceLabel>;

class FormSurface : public QWidget, public WithAccessibleParts {
    Q_OBJECT

public:
    explicit FormSurface(QWidget* parent);

    // Items are painted in the order added: the first lies lowest. A label's
    // caption must outlive the surface; whoever changes it repaints.
    void addItem(const SurfaceItem& item);

    // Twips to this widget's logical pixels, through the density of the
    // screen it was made on: the layout is laid out once, in these pixels.
    int pixels(int twips) const;
    QRect pixels(const TwipsRect& rect) const;

    // The font a label of this style gets, sized in pixels at dotsPerInch.
    static QFont fontFor(const FontStyle& style, double dotsPerInch);

    // What a screen reader sees here; without parts, the child widgets.
    AccessibleParts& accessibleParts() override { return accessibleParts_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    double deviceDpi() const;
    QRect devicePixels(const TwipsRect& rect) const;
    void paint(QPainter& painter, const SurfaceShape& shape) const;
    void paint(QPainter& painter, const SurfaceLine& line) const;
    void paint(QPainter& painter, const SurfaceLabel& label) const;

    std::vector<SurfaceItem> items_;
    double layoutDpi_;
    AccessibleParts accessibleParts_{*this};
};

}  // namespace koppelo::runtime::qt
