// The About dialog's object. It lives on between openings; every opening
// loads its window afresh from the layout, shows it modally over the main
// window and returns once the player has closed it.
#pragma once

#include <QImage>

#include <functional>

class QWidget;

namespace koppelo::ui {

class FrmOver {
public:
    // Where each opening takes its logo picture from.
    using LogoSource = std::function<QImage()>;

    // The built-in About logo.
    FrmOver();
    explicit FrmOver(LogoSource logo);

    // Returns when the dialog has been closed; the owner takes no input meanwhile.
    void Show(QWidget* owner);

private:
    LogoSource logo_;
};

}  // namespace koppelo::ui
