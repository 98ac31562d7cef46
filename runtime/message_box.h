// The modal question the game asks at its end. Injected: tests script the
// answers, the Qt side shows a real message box.
#pragma once

#include <cstdint>
#include <string>

namespace koppelo::runtime {

// Style bits and answer codes of a message box.
inline constexpr std::int32_t kYesNo = 4;
inline constexpr std::int32_t kInformation = 64;
inline constexpr std::int32_t kYes = 6;
inline constexpr std::int32_t kNo = 7;

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Texts are UTF-8. Returns the answer code of the button chosen.
    virtual std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) = 0;
};

}  // namespace koppelo::runtime
