// The end-of-game question, answered as set beforehand and counted, with a look at the window while it is open.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/message_box.h"

namespace koppelo::testkit {

class ScriptedMessageBox final : public runtime::MessageBox {
public:
    explicit ScriptedMessageBox(std::int32_t answer) : answer_(answer) {}

    std::int32_t show(const std::string&, const std::string&, std::int32_t) override
    {
        ++asked;
        if (whileOpen)
            whileOpen();
        return answer_;
    }

    int asked = 0;
    std::function<void()> whileOpen;

private:
    std::int32_t answer_;
};

}  // namespace koppelo::testkit
