#include "scripted_message_box.h"

#include <gtest/gtest.h>

namespace koppelo::testkit {

std::int32_t ScriptedMessageBox::show(const std::string& prompt, const std::string& title, std::int32_t style)
{
    ++asked;
    last.emplace(prompt, title, style);
    if (whileOpen)
        whileOpen();
    if (!answers.empty()) {
        const std::int32_t next = answers.front();
        answers.pop_front();
        return next;
    }
    if (answer)
        return *answer;
    ADD_FAILURE() << "unexpected question: " << prompt;
    return runtime::kNo;
}

}  // namespace koppelo::testkit
