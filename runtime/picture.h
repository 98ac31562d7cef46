// Picture references: image objects shared by reference between boxes.
// A box never copies an image; it holds the same object as the box it was
// set from, and the object's handle tells two faces apart. The pixels are
// opaque here: the Qt side of the runtime puts a QImage behind a payload.
#pragma once

#include <cstdint>
#include <memory>

namespace koppelo::runtime {

class Picture {
public:
    using Handle = std::int32_t;

    // What the view draws; the core never looks inside.
    class Payload {
    public:
        virtual ~Payload() = default;
    };

    explicit Picture(std::shared_ptr<const Payload> payload = nullptr);

    Handle handle() const { return handle_; }
    const Payload* payload() const { return payload_.get(); }

private:
    Handle handle_;
    std::shared_ptr<const Payload> payload_;
};

// A null reference is the empty picture.
using PictureRef = std::shared_ptr<const Picture>;

inline constexpr Picture::Handle kEmptyHandle = 0;

// The handle of a reference, kEmptyHandle for the empty picture.
Picture::Handle handleOf(const PictureRef& picture);

// A new image object with a handle of its own.
PictureRef makePicture(std::shared_ptr<const Picture::Payload> payload = nullptr);

}  // namespace koppelo::runtime
