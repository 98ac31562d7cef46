#include "web/parts.h"

#include "ui/board_telling/board_telling.h"

namespace koppelo::web {

std::vector<std::string> partNames(const game::Snapshot& seen)
{
    ui::telling::BoardNames names = ui::telling::namesOf(seen);
    std::vector<std::string> parts(names.cards.begin(), names.cards.end());
    parts.reserve(kParts);
    parts.push_back(std::move(names.counter));
    parts.push_back(std::move(names.firstPreview));
    parts.push_back(std::move(names.secondPreview));
    return parts;
}

void cue(runtime::Announcer& announcer, const game::Outcome& outcome)
{
    ui::telling::cue(announcer, outcome, [](int slot) { return slot; }, [](const std::string& news) { return news; });
}

}  // namespace koppelo::web
