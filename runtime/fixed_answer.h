// A message box that shows nothing and gives every question the same
// answer: for programs that run the game where nobody is there to answer.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/message_box.h"

namespace koppelo::runtime {

class FixedAnswer final : public MessageBox {
public:
    explicit FixedAnswer(std::int32_t answer) : answer_(answer) {}

    std::int32_t show(const std::string&, const std::string&, std::int32_t) override { return answer_; }

private:
    std::int32_t answer_;
};

}  // namespace koppelo::runtime
