// The widget that shows a model picture box: refreshed after the model may
// have changed, it shows and hides with the model and draws the model's picture one image pixel to one device pixel,
// from the top-left corner of the area inside its border, clipped to it.
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "runtime/picture_box.h"

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
    // The model must outlive the view's use of it.
    PictureBoxView(const runtime::PictureBox& model, BoxBorder border, QWidget* parent);

    // Shows what the model holds now, if that is not what it last showed.
    void refresh();

    // Another view lies exactly over this one, next above it in the
    // stacking: while that shows, this one stays hidden too, as nobody
    // could see it, and Qt need not visit it.
    void lieUnder(PictureBoxView& cover);

    // Views not made yet lie under this one: nobody can see them before
    // this one first hides, so make is called then, once, to make them and
    // have each lie under this one.
    void coverUnmade(std::function<void()> make);

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
    void makeUnmade();
    void showIfSeen();
    bool uncovered() const;
    void paintFocusMark(QPainter& painter) const;
    QSize deviceSize() const;
    void paintFrame(QPainter& painter) const;

    const runtime::PictureBox& model_;
    runtime::Picture::Handle shownHandle_;
    bool shownVisible_;
    BoxBorder border_;
    const PictureBoxView* cover_ = nullptr;
    std::vector<PictureBoxView*> under_;  // views lying beneath this one, siblings that live as long
    std::vector<std::function<void()>> unmade_;  // makers of views that will lie beneath it
    bool pressed_ = false;
    bool focusMarked_ = false;
};

}  // namespace koppelo::runtime::qt
