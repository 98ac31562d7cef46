// The real message box behind the game's end-of-game question: modal over
// its parent window, buttons and icon taken from the style bits. The last
// box stays, hidden, until the next question: a screen reader still asks
// about it for a while after it closes, as its focus catches up.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <optional>

#include "runtime/message_box.h"

namespace koppelo::runtime::qt {

class QtMessageBox final : public runtime::MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

    // Yes/No questions answer No when closed or escaped.
    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override;

private:
    QPointer<QWidget> parent_;
    std::optional<QMessageBox> box_;
};

}  // namespace koppelo::runtime::qt
