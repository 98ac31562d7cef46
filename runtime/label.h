// A label as the game sees it: one caption, set as text or as a number.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace koppelo::runtime {

class Label {
public:
    explicit Label(std::string caption = {}) : caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    // Plain decimal digits, as a counter shows them.
    void setCaption(std::int32_t number) { caption_ = std::to_string(number); }

    friend bool operator==(const Label&, const Label&) = default;

private:
    std::string caption_;
};

}  // namespace koppelo::runtime
