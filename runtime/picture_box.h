// A picture box as the game sees it: the picture it holds and whether it is
// visible. Plain data: the window reads it when it presents what changed.
#pragma once

#include <utility>

#include "picture.h"

namespace koppelo::runtime {

class PictureBox {
public:
    const PictureRef& picture() const { return picture_; }
    Picture::Handle handle() const { return handleOf(picture_); }
    void setPicture(PictureRef picture) { picture_ = std::move(picture); }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

    // The same picture object, shown or hidden alike.
    friend bool operator==(const PictureBox&, const PictureBox&) = default;

private:
    PictureRef picture_;
    bool visible_ = true;
};

}  // namespace koppelo::runtime
