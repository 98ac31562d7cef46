// The end-of-game question answered as set beforehand, failing the test when no answer is set.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "runtime/message_box.h"

namespace koppelo::testkit {

using Question = std::tuple<std::string, std::string, std::int32_t>;  // prompt, title, style

class ScriptedMessageBox final : public runtime::MessageBox {
public:
    ScriptedMessageBox() = default;
    explicit ScriptedMessageBox(std::int32_t standing) : answer(standing) {}

    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override
    {
        ++asked;
        last.emplace(prompt, title, style);
        if (whileOpen)
            whileOpen();
        if (!answer)
            ADD_FAILURE() << "unexpected question: " << prompt;
        return answer.value_or(runtime::kNo);
    }

    std::optional<std::int32_t> answer;
    int asked = 0;
    std::optional<Question> last;
    std::function<void()> whileOpen;
};

}  // namespace koppelo::testkit
