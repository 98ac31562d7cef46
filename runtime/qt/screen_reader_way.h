// How a screen reader is told what the announcer lays out, in the way the
// accessibility bridge of this platform and Qt version lets it be heard. A
// way has two halves, each built in by this folder's CMake file, the one
// place that picks them: how a part that shows something new is told
// (renamed, where the bridge hands a screen reader the new name; else made
// anew and focused afresh) and how news is told (the news carrier).
#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "runtime/announcer.h"

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

class ScreenReaderWay {
public:
    explicit ScreenReaderWay(std::unique_ptr<NewsCarrier> news) : news_(std::move(news)) {}
    virtual ~ScreenReaderWay() = default;

    // Tells each item in the order given.
    virtual void tell(const std::vector<runtime::Telling>& told) = 0;
    QAccessibleInterface* latestNotice() const { return news_->latestNotice(); }

protected:
    NewsCarrier& news() { return *news_; }

private:
    std::unique_ptr<NewsCarrier> news_;
};

std::unique_ptr<NewsCarrier> makeNewsCarrier(AccessibleParts& parts);
std::unique_ptr<ScreenReaderWay> makeScreenReaderWay(AccessibleParts& parts);

}  // namespace koppelo::runtime::qt
