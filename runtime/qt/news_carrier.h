// How short notices reach a screen reader on the bridge this program is
// built for: one carrier of the bridge's own, picked with the bridge in this
// folder's CMake file (runtime/qt/news_as_*.cpp).
#pragma once

#include <QString>

#include <memory>

class QAccessibleInterface;

namespace koppelo::runtime::qt {

class AccessibleParts;

// Short notices, spoken in the order told and none cutting off another.
class NewsCarrier {
public:
    virtual ~NewsCarrier() = default;

    virtual void tell(const QString& news) = 0;
    // The latest notice, where this carrier shows notices as objects.
    virtual QAccessibleInterface* latestNotice() const { return nullptr; }
};

std::unique_ptr<NewsCarrier> makeNewsCarrier(AccessibleParts& parts);

}  // namespace koppelo::runtime::qt
