#include "after_first_paint.h"

#include <QEvent>
#include <QWindow>

#include <utility>

namespace koppelo::app {

AfterFirstPaint::AfterFirstPaint(QWidget& window, std::function<void()> work) : work_(std::move(work))
{
    window.windowHandle()->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, work_, Qt::QueuedConnection);
    }
    return false;
}

}  // namespace koppelo::app
