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
    parts_.add({QAccessible::StaticText, text(words().title), place(layout::kLblTitel)});
    firstCard_ = parts_.count();
    for (int i = 0; i < game::kSlots; ++i) {
        const auto slot = static_cast<std::int16_t>(i);
        parts_.add({QAccessible::Button, {}, place(layout::slotRect(i)), [press, slot] { press(slot); }});
    }
    onShow_ = parts_.add({QAccessible::Graphic, {}, place(layout::kPicture2)});
    parts_.setStatusPart(
        parts_.add({QAccessible::StatusBar, {}, place(layout::kLblParen) | place(layout::kLabel1)}));
    parts_.add({QAccessible::Graphic, {}, place(layout::kPicture4)});
    parts_.add({QAccessible::Graphic, {}, place(layout::kPicture5)});
    nameParts();
}

// In the order described: the cards, the face on show, the counter, the previews.
void BoardAccessibility::nameParts()
{
    for (int i = 0; i < game::kSlots; ++i)
        parts_.rename(card(i), cardName(i));
    int part = onShow_;
    parts_.rename(part++, birdIn(board_.faceSource(layout::kPicture2TopFirst.front())));
    parts_.rename(part++, text(words().pairsFound).arg(QString::fromStdString(board_.pairsLabel().caption())));
    parts_.rename(part++, previewName(words().firstPreview, words().firstPreviewEmpty, board_.firstPreview()));
    parts_.rename(part, previewName(words().secondPreview, words().secondPreviewEmpty, board_.secondPreview()));
}

void BoardAccessibility::heard(const game::Outcomes& outcomes)
{
    nameParts();
    const bool questionNext = !outcomes.empty() && outcomes.back().what == Happening::GameWon;
    for (const game::Outcome& outcome : outcomes)
        heard(outcome, questionNext);
    parts_.tell(questionNext ? runtime::qt::AccessibleParts::Next::ModalWindow
                             : runtime::qt::AccessibleParts::Next::KeyboardStays);
}

void BoardAccessibility::heard(const game::Outcome& outcome, bool questionNext)
{
    switch (outcome.what) {
    case Happening::FirstDeal:
    case Happening::PressIgnored:
    case Happening::GameWon:
        return;
    case Happening::NewDeal:
        // New cards, each told afresh, the focused one after the news.
        parts_.announce(text(words().newGame));
        for (int i = 0; i < game::kSlots; ++i)
            parts_.renewed(card(i));
        return;
    case Happening::CardTurned:
        // A screen reader drops a focus told just before a modal window
        // opens: the last card goes out as news instead.
        if (questionNext && parts_.keyboardHere())
            parts_.announce(cardName(outcome.slot));
        else
            parts_.actedOn(card(outcome.slot));
        return;
    case Happening::PairFound:
        parts_.announce(text(words().pairFound).arg(outcome.pairs));
        return;
    case Happening::PairMissed:
        parts_.announce(text(words().noPair));
        return;
    }
}

void BoardAccessibility::focusSlot(int slot) { parts_.setFocusPart(card(slot)); }

QString BoardAccessibility::cardName(int slot) const
{
    const auto sentence = [slot](const char* words) {
        return text(words).arg(counted(slot)).arg(counted(slot / game::kColumns)).arg(counted(slot % game::kColumns));
    };
    const runtime::PictureBox& shown = board_.slotBox(slot);
    if (!shown.visible())
        return sentence(words().cardFound).arg(birdIn(board_.layoutBox(slot)));
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
