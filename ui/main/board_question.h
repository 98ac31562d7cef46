// The end-of-game question as the window asks it: the finished board is
// drawn and the last pair told first, so the player sees every pair face up
// behind the question and a screen reader speaks the pair before it.
#pragma once

#include <functional>

#include "runtime/message_box.h"

class QWidget;

namespace koppelo::ui {

class BoardQuestion final : public runtime::MessageBox {
public:
    using TellFirst = std::function<void()>;

    BoardQuestion(QWidget& window, runtime::MessageBox& asker, TellFirst tellFirst)
        : window_(window), asker_(asker), tellFirst_(std::move(tellFirst))
    {
    }

    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override;

private:
    QWidget& window_;
    runtime::MessageBox& asker_;
    TellFirst tellFirst_;
};

}  // namespace koppelo::ui
