// The modal question the window asks at a game's end. Injected: tests script
// the answers, the Qt side shows a real message box.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/answers.h"

namespace koppelo::runtime {

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Texts are UTF-8. Returns the answer code of the button chosen.
    virtual std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) = 0;
};

}  // namespace koppelo::runtime
