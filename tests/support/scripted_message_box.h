// The end-of-game question as the tests answer it: from a queue of answers
// first, then with a standing answer; a question with neither fails the
// test. It counts the questions, keeps the last, and runs whileOpen while
// the question stands.
#pragma once

#include <cstdint>
#include <deque>
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

    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override;

    std::deque<std::int32_t> answers;
    std::optional<std::int32_t> answer;
    int asked = 0;
    std::optional<Question> last;
    std::function<void()> whileOpen;
};

}  // namespace koppelo::testkit
