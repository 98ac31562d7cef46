// A single change listener for the plain model objects (boxes, labels), so a
// view can mirror them without the model knowing any GUI type.
#pragma once

#include <functional>
#include <utility>

namespace koppelo::runtime {

class Observable {
public:
    using Observer = std::function<void()>;

    void setObserver(Observer observer) { observer_ = std::move(observer); }

protected:
    void notify() const
    {
        if (observer_)
            observer_();
    }

private:
    Observer observer_;
};

}  // namespace koppelo::runtime
