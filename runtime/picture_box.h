// A picture box as the game sees it: the picture it holds and whether it is
// visible. Setting either tells the observer, so the window can repaint.
#pragma once

#include "observable.h"
#include "picture.h"

namespace koppelo::runtime {

class PictureBox : public Observable {
public:
    const PictureRef& picture() const { return picture_; }
    Picture::Handle handle() const { return handleOf(picture_); }
    void setPicture(PictureRef picture);

    bool visible() const { return visible_; }
    void setVisible(bool visible);

private:
    PictureRef picture_;
    bool visible_ = true;
};

}  // namespace koppelo::runtime
