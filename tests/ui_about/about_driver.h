// Drives the modal About dialog from inside its own event loop: a zero timer
// finds the open dialog, lets the test look at it and act on it, and closes
// it should the action have left it open, so a failing test never hangs.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "ui/about/frm_over.h"

namespace koppelo::ui::testing {

// What a test saw of one opening.
struct Opening {
    bool found = false;
    QImage grab;
    QString focus;
    QRect geometry;
    bool modal = false;     // it was the active modal window
    bool leftOpen = false;  // the action did not close it
};

// The open dialog, modal or not.
inline QDialog* openDialog()
{
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        return modal;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// Runs opener (which must open the dialog modally and return once it is
// closed); while it is open, look() sees the dialog and act() closes it.
inline Opening whileOpen(const std::function<void()>& opener, const std::function<void(QDialog&)>& act,
                         const std::function<void(QDialog&)>& look = {})
{
    constexpr int kTries = 200;
    constexpr int kRetryMs = 10;
    Opening seen;
    int tries = 0;
    QObject guard;  // its timers die with it, should the dialog never open
    std::function<void()> step = [&] {
        QPointer<QDialog> dialog = openDialog();
        if (!dialog) {
            if (++tries < kTries)
                QTimer::singleShot(kRetryMs, &guard, step);
            return;
        }
        seen.found = true;
        seen.modal = QApplication::activeModalWidget() == dialog;
        seen.grab = dialog->grab().toImage();
        if (QWidget* focus = dialog->focusWidget())
            seen.focus = focus->objectName();
        seen.geometry = dialog->frameGeometry();
        if (look)
            look(*dialog);
        act(*dialog);
        QApplication::processEvents();
        if (dialog && dialog->isVisible()) {
            seen.leftOpen = true;
            dialog->reject();
        }
    };
    QTimer::singleShot(0, &guard, step);
    opener();
    return seen;
}

}  // namespace koppelo::ui::testing
