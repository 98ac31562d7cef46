// Change listeners for the plain model objects (boxes, labels), so views can
// mirror them without the model knowing any GUI type. Any number may watch,
// and watching is no change: a read-only model can be watched.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace koppelo::runtime {

class Observable {
public:
    using Observer = std::function<void()>;

    void watch(Observer observer) const { observers_.push_back(std::move(observer)); }

protected:
    void notify() const
    {
        for (const Observer& observer : observers_)
            observer();
    }

private:
    mutable std::vector<Observer> observers_;
};

}  // namespace koppelo::runtime
