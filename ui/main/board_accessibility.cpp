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

}  // namespace

BoardAccessibility::BoardAccessibility(runtime::qt::FormSurface& surface, const game::Board& board, Press press)
    : surface_(surface), parts_(surface.accessibleParts()), board_(board)
{
    describe(std::move(press));
    focusSlot(game::kFirstSlot);
}

void BoardAccessibility::describe(Press press)
{
    parts_.add({QAccessible::StaticText, [] { return text(words().title); },
                [this] { return place(layout::kLblTitel); }});
    firstCard_ = parts_.count();
    for (int i = 0; i < game::kSlots; ++i) {
        const auto slot = static_cast<std::int16_t>(i);
        parts_.add({QAccessible::Button, [this, i] { return cardName(i); },
                    [this, i] { return place(layout::slotRect(i)); }, [press, slot] { press(slot); }});
    }
    const runtime::PictureBox& onShow = board_.Picture2[layout::kPicture2TopFirst.front()];
    parts_.add({QAccessible::Graphic, [this, &onShow] { return birdIn(onShow); },
                [this] { return place(layout::kPicture2); }});
    parts_.setStatusPart(parts_.add(
        {QAccessible::StatusBar,
         [this] { return text(words().pairsFound).arg(QString::fromStdString(board_.Label1.caption())); },
         [this] { return place(layout::kLblParen) | place(layout::kLabel1); }}));
    parts_.add({QAccessible::Graphic,
                [this] { return previewName(words().firstPreview, words().firstPreviewEmpty, board_.Picture4); },
                [this] { return place(layout::kPicture4); }});
    parts_.add({QAccessible::Graphic,
                [this] { return previewName(words().secondPreview, words().secondPreviewEmpty, board_.Picture5); },
                [this] { return place(layout::kPicture5); }});
}

void BoardAccessibility::heard(const game::Outcome& outcome)
{
    switch (outcome.what) {
    case Happening::FirstDeal:
    case Happening::PressIgnored:
        return;
    case Happening::NewDeal:
        // New cards, each told afresh, the focused one after the news; at
        // once, as after Ja the window takes the keyboard back from the
        // question next, and a screen reader then speaks it and its focus.
        parts_.announce(text(words().newGame));
        for (int i = 0; i < game::kSlots; ++i)
            parts_.renewed(card(i));
        parts_.tellNow();
        return;
    case Happening::CardTurned:
        parts_.actedOn(card(outcome.slot));
        return;
    case Happening::PairFound:
        parts_.announce(text(words().pairFound).arg(outcome.pairs));
        return;
    case Happening::PairMissed:
        parts_.announce(text(words().noPair));
        return;
    case Happening::GameWon:
        // The question comes next and takes the keyboard.
        parts_.tellBeforeLeaving();
        return;
    }
}

void BoardAccessibility::focusSlot(int slot) { parts_.setFocusPart(card(slot)); }

QString BoardAccessibility::cardName(int slot) const
{
    const auto sentence = [slot](const char* words) {
        return text(words).arg(counted(slot)).arg(counted(slot / game::kColumns)).arg(counted(slot % game::kColumns));
    };
    const runtime::PictureBox& shown = board_.Picture3[slot];
    if (!shown.visible())
        return sentence(words().cardFound).arg(birdIn(board_.Picture1[slot]));
    if (shown.handle() != runtime::kEmptyHandle)
        return sentence(words().cardFaceUp).arg(birdIn(shown));
    return sentence(words().cardFaceDown);
}

QString BoardAccessibility::previewName(const char* named, const char* empty, const runtime::PictureBox& preview) const
{
    const QString bird = birdIn(preview);
    return bird.isEmpty() ? text(empty) : text(named).arg(bird);
}

// Source box k holds face k for the whole run, so its picture names the bird.
QString BoardAccessibility::birdIn(const runtime::PictureBox& box) const
{
    if (box.handle() == runtime::kEmptyHandle)
        return {};
    for (int k = 0; k < game::kFaces; ++k) {
        if (board_.faceSource(k).handle() == box.handle())
            return text(words().birds.at(static_cast<std::size_t>(k)));
    }
    return {};
}

QRect BoardAccessibility::place(const runtime::TwipsRect& rect) const { return surface_.pixels(rect); }

}  // namespace koppelo::ui
