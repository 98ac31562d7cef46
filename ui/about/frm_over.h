// The About dialog's object. It lives on between openings; every opening
// loads its window afresh from the layout, shows it modally over the main
// window and returns once the player has closed it.
#pragma once

class QWidget;

namespace koppelo::ui {

class FrmOver {
public:
    // Returns when the dialog has been closed; the owner takes no input meanwhile.
    void Show(QWidget* owner);
};

}  // namespace koppelo::ui
