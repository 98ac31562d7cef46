// Work the player need not wait for, run once just after the window's first
// paint has reached the screen.
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

namespace koppelo::app {

// Watches a shown window; the work runs from the event loop after the
// window's first exposure, whose handling paints and flushes it. Keep it
// alive until the event loop ends.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> work_;
};

}  // namespace koppelo::app
