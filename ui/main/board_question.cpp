#include "board_question.h"

#include <QWidget>

namespace koppelo::ui {

std::int32_t BoardQuestion::show(const std::string& prompt, const std::string& title, std::int32_t style)
{
    // The last pair was hidden just now; its repaint would otherwise wait
    // for the question's own event loop.
    window_.repaint();
    const std::int32_t answer = asker_.show(prompt, title, style);
    // Without a window manager nobody hands the keyboard back when the
    // question closes; it would fall to the root window, and F2 go unheard.
    window_.activateWindow();
    return answer;
}

}  // namespace koppelo::ui
