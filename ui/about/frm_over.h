// The About dialog's object. It lives on between openings; every opening
// loads its window afresh from the layout, shows it modally over the main
// window and returns once the player has closed it. The closed window stays,
// hidden, until the next opening or this object goes, as a screen reader
// still asks about it for a while after it closed.
#pragma once

#include <QImage>

#include <functional>
#include <memory>

class QWidget;

namespace koppelo::ui {

class FrmOver {
public:
    // Where each opening takes its logo picture from.
    using LogoSource = std::function<QImage()>;

    // The built-in About logo.
    FrmOver();
    explicit FrmOver(LogoSource logo);
    // The owner given to Show must outlive this object.
    ~FrmOver();

    // Returns when the dialog has been closed; the owner takes no input meanwhile.
    void Show(QWidget* owner);

private:
    struct Loaded;

    LogoSource logo_;
    std::unique_ptr<Loaded> loaded_;  // the last opening's window, hidden once closed
};

}  // namespace koppelo::ui
