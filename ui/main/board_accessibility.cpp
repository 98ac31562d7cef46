#include "board_accessibility.h"

#include "texts/catalogue.h"
#include "ui/board_telling/board_telling.h"
#include "ui/main/frm_koppelo_layout.h"

namespace koppelo::ui {

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }
QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

const texts::MainWindowTexts& words() { return texts::chosen().main; }

}  // namespace

BoardAccessibility::BoardAccessibility(runtime::qt::FormSurface& surface, Press press)
    : surface_(surface), parts_(surface.accessibleParts())
{
    describe(std::move(press));
    nameParts(game::Snapshot{});
    focusSlot(game::kFirstSlot);
}

void BoardAccessibility::describe(Press press)
{
    part_.title = parts_.add({QAccessible::StaticText, text(words().title), place(layout::kLblTitel)});
    for (int i = 0; i < game::kSlots; ++i) {
        const auto slot = static_cast<std::int16_t>(i);
        part_.cards[i] = parts_.add({QAccessible::Button, {}, place(layout::slotRect(i)), [press, slot] { press(slot); }});
    }
    // The top source box shows the same face for the whole run.
    part_.faceOnShow = parts_.add(
        {QAccessible::Graphic, text(telling::birdName(layout::kPicture2TopFirst.front())), place(layout::kPicture2)});
    part_.counter = parts_.add({QAccessible::StatusBar, {}, place(layout::kLblParen) | place(layout::kLabel1)});
    parts_.setStatusPart(part_.counter);
    part_.firstPreview = parts_.add({QAccessible::Graphic, {}, place(layout::kPicture4)});
    part_.secondPreview = parts_.add({QAccessible::Graphic, {}, place(layout::kPicture5)});
}

void BoardAccessibility::nameParts(const game::Snapshot& seen)
{
    const telling::BoardNames names = telling::namesOf(seen);
    for (int i = 0; i < game::kSlots; ++i)
        parts_.rename(part_.cards[i], text(names.cards[static_cast<std::size_t>(i)]));
    parts_.rename(part_.counter, text(names.counter));
    parts_.rename(part_.firstPreview, text(names.firstPreview));
    parts_.rename(part_.secondPreview, text(names.secondPreview));
}

void BoardAccessibility::present(const game::Snapshot& after, const game::Outcomes& outcomes)
{
    nameParts(after);
    for (const game::Outcome& outcome : outcomes)
        cue(outcome);
    parts_.tell(after.questionDue ? runtime::Next::ModalWindow : runtime::Next::KeyboardStays);
}

void BoardAccessibility::cue(const game::Outcome& outcome)
{
    telling::cue(parts_, outcome, [this](int slot) { return part_.cards.at(static_cast<std::size_t>(slot)); },
                 [](const std::string& news) { return text(news); });
}

void BoardAccessibility::focusSlot(int slot) { parts_.setFocusPart(part_.cards.at(static_cast<std::size_t>(slot))); }

QRect BoardAccessibility::place(const runtime::TwipsRect& rect) const { return surface_.pixels(rect); }

}  // namespace koppelo::ui
