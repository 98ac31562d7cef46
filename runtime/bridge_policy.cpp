#include "bridge_policy.h"

#include <algorithm>

namespace koppelo::runtime {

namespace {

using Kind = Signal::Kind;

// The toolkit focuses the card by its element, with its name then, and a
// screen reader reads a newly focused element afresh: the card the keyboard
// comes back to is made anew only if it became a new card since. Elsewhere a
// screen reader keeps the name it last had, so a renamed card is made anew.
bool madeAnew(const Telling& item, bool toolkitFocusesTheCard)
{
    if (item.kind == Telling::Kind::Focus && item.moved && toolkitFocusesTheCard)
        return item.renewed;
    return item.changed;
}

// The parts the news is about are made anew first (the focused part, and the
// status part where notices are its children), then all is told in order;
// each part made anew once.
std::vector<Signal> asNewObjects(const std::vector<Telling>& told, int statusPart, bool toolkitFocusesTheCard)
{
    std::vector<Signal> raised;
    const auto renew = [&raised](int part) {
        const Signal signal{Kind::Renewed, part};
        if (std::find(raised.begin(), raised.end(), signal) == raised.end())
            raised.push_back(signal);
    };
    for (const Telling& item : told) {
        if (madeAnew(item, toolkitFocusesTheCard) && (item.kind == Telling::Kind::Focus || item.part == statusPart))
            renew(item.part);
    }
    for (const Telling& item : told) {
        switch (item.kind) {
        case Telling::Kind::Focus:
            raised.push_back({Kind::Focused, item.part});
            break;
        case Telling::Kind::News:
            raised.push_back({Kind::News, kNoPart, item.news});
            break;
        case Telling::Kind::Changed:
            renew(item.part);
            break;
        }
    }
    return raised;
}

// A part is spoken by its name change while the focus is on it; a focused
// part whose name stayed the same, by its name told as news.
std::vector<Signal> asRenamed(const std::vector<Telling>& told, const std::vector<std::string>& names)
{
    std::vector<Signal> raised;
    for (const Telling& item : told) {
        if (item.kind == Telling::Kind::News) {
            raised.push_back({Kind::News, kNoPart, item.news});
            continue;
        }
        if (item.renamed)
            raised.push_back({Kind::Renamed, item.part});
        if (item.kind != Telling::Kind::Focus)
            continue;
        if (item.moved)
            raised.push_back({Kind::Focused, item.part});
        else if (!item.renamed)
            raised.push_back({Kind::News, kNoPart, names.at(static_cast<std::size_t>(item.part))});
    }
    return raised;
}

}  // namespace

std::vector<Signal> signalsFor(Bridge bridge, const std::vector<Telling>& told, int statusPart,
                               const std::vector<std::string>& names)
{
    switch (bridge) {
    case Bridge::AtSpiQt68:
        return asRenamed(told, names);
    case Bridge::AtSpiQt64:
        return asNewObjects(told, statusPart, false);
    case Bridge::UiaQt64:
    case Bridge::UiaQt68:
        return asNewObjects(told, statusPart, true);
    }
    return {};
}

}  // namespace koppelo::runtime
