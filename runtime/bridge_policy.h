// How each screen-reader bridge is told what the announcer lays out, as the
// events the toolkit side raises, in order. The bridges differ in what they
// carry: AT-SPI from Qt 6.8 hands a screen reader a name change with the new
// name; AT-SPI before it sends one without the name, and UI Automation none
// but a combo box's, so there a part that shows something new is made anew
// and the focused one focused afresh. Under UI Automation the toolkit itself
// focuses the card whenever the board takes the keyboard back. The news
// goes out through each bridge's own carrier. Plain C++: the Qt side only
// carries the events out.
#pragma once

#include <string>
#include <vector>

#include "runtime/announcer.h"

namespace koppelo::runtime {

enum class Bridge {
    AtSpiQt64,  // AT-SPI before Qt 6.8
    AtSpiQt68,  // AT-SPI from Qt 6.8
    UiaQt64,    // UI Automation before Qt 6.8
    UiaQt68,    // UI Automation from Qt 6.8
};

// One event for the toolkit side to raise.
struct Signal {
    enum class Kind {
        Renewed,  // the part's object made anew, so a screen reader asks afresh for all of it
        Focused,  // the part takes the focus
        Renamed,  // the part's name changed
        News,     // text goes out through the bridge's news carrier
    };
    Kind kind;
    int part = kNoPart;     // all but News
    std::string text = {};  // News

    friend bool operator==(const Signal&, const Signal&) = default;
};

// What to raise for told on bridge; statusPart is the part whose children
// carry the news where news shows as objects, names every part's name now.
std::vector<Signal> signalsFor(Bridge bridge, const std::vector<Telling>& told, int statusPart,
                               const std::vector<std::string>& names);

}  // namespace koppelo::runtime
