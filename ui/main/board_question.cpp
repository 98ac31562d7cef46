#include "board_question.h"

#include <QWidget>

namespace koppelo::ui {

std::int32_t BoardQuestion::show(const std::string& prompt, const std::string& title, std::int32_t style)
{
    // The last pair was hidden just now; its repaint would otherwise wait
    // for the question's own event loop.
    window_.repaint();
    return asker_.show(prompt, title, style);
}

}  // namespace koppelo::ui
