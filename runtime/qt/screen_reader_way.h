// How a screen reader is told what the announcer lays out, on the bridge
// this program is built for: the bridge's policy (runtime/bridge_policy.h)
// says which events, and this carries them out. The news goes through a
// carrier of the bridge's own. This folder's CMake file is the one place
// that picks the bridge and the carrier.
#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "runtime/announcer.h"
#include "runtime/bridge_policy.h"

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

class ScreenReaderWay {
public:
    explicit ScreenReaderWay(AccessibleParts& parts);

    // Tells each item in the order given; names holds every part's name now.
    void tell(const std::vector<runtime::Telling>& told, const std::vector<std::string>& names);
    QAccessibleInterface* latestNotice() const { return news_->latestNotice(); }

private:
    void raise(const runtime::Signal& signal);
    void renew(int index);

    AccessibleParts& parts_;
    std::unique_ptr<NewsCarrier> news_;
};

}  // namespace koppelo::runtime::qt
