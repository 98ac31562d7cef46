#include "picture_box.h"

namespace koppelo::runtime {

void PictureBox::setPicture(PictureRef picture)
{
    if (picture == picture_)
        return;
    picture_ = std::move(picture);
    notify();
}

void PictureBox::setVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    notify();
}

}  // namespace koppelo::runtime
