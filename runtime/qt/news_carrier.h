// How the news reaches a screen reader on the bridge this program is
// built for: one carrier of the bridge's own, picked with the bridge in this
// folder's CMake file (runtime/qt/news_as_*.cpp).
#pragma once

#include <QString>

#include <memory>

class QAccessibleInterface;

namespace koppelo::runtime::qt {

class AccessibleParts;

// News, spoken in the order told, none cutting off another.
class NewsCarrier {
public:
    virtual ~NewsCarrier() = default;

    virtual void tell(const QString& news) = 0;
    // The latest news object, where this carrier shows the news as objects.
    virtual QAccessibleInterface* latestNews() const { return nullptr; }
};

std::unique_ptr<NewsCarrier> makeNewsCarrier(AccessibleParts& parts);

}  // namespace koppelo::runtime::qt
