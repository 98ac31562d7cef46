#include "picture.h"

#include <atomic>
#include <stdexcept>

namespace koppelo::runtime {

namespace {

// Handles only grow, so a handle is never reused within a run.
Picture::Handle nextHandle()
{
    static std::atomic<Picture::Handle> counter{kEmptyHandle};
    const Picture::Handle handle = ++counter;
    if (handle <= kEmptyHandle)
        throw std::overflow_error("picture handles exhausted");
    return handle;
}

}  // namespace

Picture::Picture(std::shared_ptr<const Payload> payload)
    : handle_(nextHandle()), payload_(std::move(payload))
{
}

Picture::Handle handleOf(const PictureRef& picture)
{
    return picture ? picture->handle() : kEmptyHandle;
}

PictureRef makePicture(std::shared_ptr<const Picture::Payload> payload)
{
    return std::make_shared<const Picture>(std::move(payload));
}

}  // namespace koppelo::runtime
