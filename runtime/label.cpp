#include "label.h"

namespace koppelo::runtime {

void Label::setCaption(std::string caption)
{
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    notify();
}

void Label::setCaption(std::int32_t number)
{
    setCaption(std::to_string(number));
}

}  // namespace koppelo::runtime
