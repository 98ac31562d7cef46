// The widget that shows a picture box: it draws the picture it is given one
// image pixel to one device pixel, from the top-left corner of the area
// inside its border, clipped to it. Whoever owns it says what it shows and
// when it shows at all; it keeps no model of its own.
#pragma once

#include <QWidget>

#include "runtime/picture.h"

class QPainter;

namespace koppelo::runtime::qt {

enum class BoxBorder {
    Sunken,  // two-pixel three-dimensional client edge
    Flat,    // one-pixel line
    None,
};

class PictureBoxView : public QWidget {
    Q_OBJECT

public:
    PictureBoxView(runtime::PictureRef picture, BoxBorder border, QWidget* parent);

    // The picture to draw from now on; the empty one leaves the box bare.
    void setPicture(runtime::PictureRef picture);
    const runtime::PictureRef& picture() const { return picture_; }

    // Border width in device pixels, the same at every scale factor.
    int borderWidth() const;

    // The drawing area inside the border, in device pixels of this widget.
    QRect drawingArea() const;

    // The keyboard's focus mark: an outline just inside the drawing area,
    // dark between two light lines so it shows on grey and on a photograph.
    void setFocusMarked(bool marked);
    bool focusMarked() const { return focusMarked_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintFocusMark(QPainter& painter) const;
    QSize deviceSize() const;
    void paintFrame(QPainter& painter) const;

    runtime::PictureRef picture_;
    BoxBorder border_;
    bool pressed_ = false;
    bool focusMarked_ = false;
};

}  // namespace koppelo::runtime::qt
