// How a screen reader is told what the announcer lays out, in the way the
// accessibility bridge of this Qt version lets it be heard. Exactly one way is
// built into the program, picked by the Qt version in this folder's CMake
// file: Qt 6.8 announces news and sends a name change with the new name; Qt
// 6.4 does neither, so there a changed part is told as a new object and the
// news comes as a status bar's notifications.
#pragma once

#include <memory>
#include <vector>

#include "runtime/announcer.h"

class QAccessibleInterface;

namespace koppelo::runtime::qt {

class AccessibleParts;

class ScreenReaderWay {
public:
    virtual ~ScreenReaderWay() = default;

    // Tells each item in the order given.
    virtual void tell(const std::vector<runtime::Telling>& told) = 0;
    // The status part's latest notice, where this way shows notices as objects.
    virtual QAccessibleInterface* latestNotice() const { return nullptr; }
};

std::unique_ptr<ScreenReaderWay> makeScreenReaderWay(AccessibleParts& parts);

}  // namespace koppelo::runtime::qt
