// The end-of-game question as the window asks it: the finished board is
// drawn first, so the player sees every pair face up behind the question,
// and the window has the keyboard back once it is answered.
#pragma once

#include "runtime/message_box.h"

class QWidget;

namespace koppelo::ui {

class BoardQuestion final : public runtime::MessageBox {
public:
    BoardQuestion(QWidget& window, runtime::MessageBox& asker) : window_(window), asker_(asker) {}

    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override;

private:
    QWidget& window_;
    runtime::MessageBox& asker_;
};

}  // namespace koppelo::ui
