#include "board_accessibility.h"

#include "texts/catalogue.h"
#include "ui/main/frm_koppelo_layout.h"

namespace koppelo::ui {

namespace {

using game::Happening;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

const texts::MainWindowTexts& words() { return texts::chosen().main; }

static_assert(texts::kBirds == game::kFaces);

// Counted from one, as a player counts.
int counted(int fromZero) { return fromZero + 1; }

QString bird(int face)
{
    return face == game::kNoFace ? QString() : text(words().birds.at(static_cast<std::size_t>(face)));
}

QString cardName(int slot, const game::CardSeen& card)
{
    const auto sentence = [slot](const char* words) {
        return text(words).arg(counted(slot)).arg(counted(slot / game::kColumns)).arg(counted(slot % game::kColumns));
    };
    switch (card.state) {
    case game::CardState::Found:
        return sentence(words().cardFound).arg(bird(card.face));
    case game::CardState::FaceUp:
        return sentence(words().cardFaceUp).arg(bird(card.face));
    case game::CardState::FaceDown:
        break;
    }
    return sentence(words().cardFaceDown);
}

QString previewName(const char* named, const char* empty, int face)
{
    return face == game::kNoFace ? text(empty) : text(named).arg(bird(face));
}

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
    part_.faceOnShow =
        parts_.add({QAccessible::Graphic, bird(layout::kPicture2TopFirst.front()), place(layout::kPicture2)});
    part_.counter = parts_.add({QAccessible::StatusBar, {}, place(layout::kLblParen) | place(layout::kLabel1)});
    parts_.setStatusPart(part_.counter);
    part_.firstPreview = parts_.add({QAccessible::Graphic, {}, place(layout::kPicture4)});
    part_.secondPreview = parts_.add({QAccessible::Graphic, {}, place(layout::kPicture5)});
}

void BoardAccessibility::nameParts(const game::Snapshot& seen)
{
    for (int i = 0; i < game::kSlots; ++i)
        parts_.rename(part_.cards[i], cardName(i, seen.cards[i]));
    parts_.rename(part_.counter, text(words().pairsFound).arg(QString::fromStdString(seen.pairs)));
    parts_.rename(part_.firstPreview, previewName(words().firstPreview, words().firstPreviewEmpty, seen.firstPreview));
    parts_.rename(part_.secondPreview,
                  previewName(words().secondPreview, words().secondPreviewEmpty, seen.secondPreview));
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
    switch (outcome.what) {
    case Happening::FirstDeal:
    case Happening::PressIgnored:
    case Happening::GameWon:
        return;
    case Happening::NewDeal:
        // New cards, each told afresh, the focused one after the news.
        parts_.news(text(words().newGame));
        for (const int card : part_.cards)
            parts_.renewed(card);
        return;
    case Happening::CardTurned:
        parts_.actedOn(part_.cards.at(static_cast<std::size_t>(outcome.slot)));
        return;
    case Happening::PairFound:
        parts_.news(text(words().pairFound).arg(outcome.pairs));
        return;
    case Happening::PairMissed:
        parts_.news(text(words().noPair));
        return;
    }
}

void BoardAccessibility::focusSlot(int slot) { parts_.setFocusPart(part_.cards.at(static_cast<std::size_t>(slot))); }

QRect BoardAccessibility::place(const runtime::TwipsRect& rect) const { return surface_.pixels(rect); }

}  // namespace koppelo::ui
