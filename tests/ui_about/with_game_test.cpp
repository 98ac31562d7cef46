// The About dialog over a game in progress: it blocks the main window's
// input while it is open and leaves the game exactly as it found it.
#include <QAction>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "game/frm_koppelo.h"
#include "runtime/qt/picture_box_view.h"
#include "runtime/qt/qt_picture.h"
#include "runtime/random.h"
#include "tests/ui_about/about_driver.h"
#include "ui/main/frm_koppelo.h"

namespace koppelo::ui {
namespace {

using testing::Opening;
using testing::whileOpen;

constexpr QSize kFaceSize{92, 92};
constexpr int kHueStep = 20;

class CountingClock final : public runtime::Clock {
public:
    std::uint64_t now() override { return ++reading_; }

private:
    std::uint64_t reading_ = 0;
};

// The game never gets to its last pair here; a question would be a fault.
class NoQuestion final : public runtime::MessageBox {
public:
    std::int32_t show(const std::string&, const std::string&, std::int32_t) override
    {
        ++asked;
        return runtime::kNo;
    }
    int asked = 0;
};

struct VariantSeen {
    bool empty;
    double number;
    friend bool operator==(const VariantSeen&, const VariantSeen&) = default;
};

VariantSeen seen(const runtime::Variant& v) { return {v.isEmpty(), v.number()}; }

// Everything of the game a player or the rules could tell apart.
struct GameSeen {
    std::array<runtime::Picture::Handle, game::kSlots> layout{};
    std::array<runtime::Picture::Handle, game::kSlots> turned{};
    std::array<bool, game::kSlots> slotVisible{};
    runtime::Picture::Handle first = 0;
    runtime::Picture::Handle second = 0;
    std::string counter;
    VariantSeen turnState{}, firstCard{}, pairsFound{};
    std::int16_t secondCard = 0;
    QString caption;
    friend bool operator==(const GameSeen&, const GameSeen&) = default;
};

class AboutOverGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int k = 0; k < game::kFaces; ++k) {
            QImage face(kFaceSize, QImage::Format_RGB32);
            face.fill(QColor::fromHsv(k * kHueStep, 230, 200));
            faces_[k] = runtime::qt::makePicture(face);
        }
        window_.emplace(faces_, QIcon(), random_, &question_);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&*window_));
    }

    const game::Board& board() const { return window_->game().board(); }

    GameSeen gameSeen() const
    {
        GameSeen g;
        for (int i = 0; i < game::kSlots; ++i) {
            g.layout[i] = board().Picture1[i].handle();
            g.turned[i] = board().Picture3[i].handle();
            g.slotVisible[i] = board().Picture3[i].visible();
        }
        g.first = board().Picture4.handle();
        g.second = board().Picture5.handle();
        g.counter = board().Label1.caption();
        const game::WindowState& s = window_->game().state();
        g.turnState = seen(s.TurnState);
        g.firstCard = seen(s.FirstCard);
        g.pairsFound = seen(s.PairsFound);
        g.secondCard = s.SecondCard;
        g.caption = window_->windowTitle();
        return g;
    }

    // Input as the window system delivers it, so modality applies.
    void clickSlot(int index)
    {
        auto* slot = window_->surface().findChild<runtime::qt::PictureBoxView*>(QStringLiteral("Picture3(%1)").arg(index));
        ASSERT_NE(slot, nullptr);
        const QPoint centre = slot->mapTo(&*window_, slot->rect().center());
        QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    }
    void pressF2() { QTest::keyClick(window_->windowHandle(), Qt::Key_F2); }

    int slotOfOtherFace(int slot, int besides = -1) const
    {
        for (int i = 0; i < game::kSlots; ++i)
            if (i != besides && board().Picture1[i].handle() != board().Picture1[slot].handle())
                return i;
        return -1;
    }

    // A miss, then the first card of the next turn: one card turned, the turn half done.
    void playIntoATurn()
    {
        const int a = 0;
        const int b = slotOfOtherFace(a);
        const int c = slotOfOtherFace(a, b);
        clickSlot(a);
        clickSlot(b);
        clickSlot(c);
        ASSERT_EQ(window_->game().state().TurnState, 1);
        ASSERT_EQ(board().Picture3[c].handle(), board().Picture1[c].handle());
    }

    Opening openAbout(const std::function<void(QDialog&)>& look)
    {
        return whileOpen([this] { window_->aboutAction().trigger(); },
                         [](QDialog& d) { d.accept(); }, look);
    }

    game::FrmKoppelo::Faces faces_;
    CountingClock clock_;
    runtime::Random random_{clock_};
    NoQuestion question_;
    std::optional<FrmKoppelo> window_;
};

// The same input that is blocked below does reach the game without the dialog.
TEST_F(AboutOverGame, InputReachesTheGameWhenNoDialogIsOpen)
{
    playIntoATurn();
    const GameSeen before = gameSeen();
    pressF2();
    EXPECT_EQ(window_->game().state().TurnState, 0);
    EXPECT_NE(gameSeen(), before);
    const GameSeen dealt = gameSeen();
    clickSlot(5);
    EXPECT_NE(gameSeen(), dealt);
}

TEST_F(AboutOverGame, GameIsUnchangedAndDeafWhileTheDialogIsOpen)
{
    playIntoATurn();
    const GameSeen before = gameSeen();
    const QImage drawnBefore = window_->grab().toImage();

    GameSeen during;
    bool blocked = false;
    const Opening opened = openAbout([&](QDialog& dialog) {
        blocked = QGuiApplication::modalWindow() == dialog.windowHandle();
        pressF2();
        for (int slot : {0, 1, 7, 35})
            clickSlot(slot);
        QApplication::processEvents();
        during = gameSeen();
    });
    ASSERT_TRUE(opened.found);
    EXPECT_TRUE(opened.modal);
    EXPECT_TRUE(blocked);
    EXPECT_EQ(during, before);
    EXPECT_EQ(gameSeen(), before);
    EXPECT_EQ(window_->grab().toImage(), drawnBefore);
    EXPECT_EQ(question_.asked, 0);

    // And the game goes on from where it was: the turn's second card.
    const int second = slotOfOtherFace(window_->game().state().FirstCard.toInt16());
    clickSlot(second);
    EXPECT_EQ(window_->game().state().TurnState, 0);
}

TEST_F(AboutOverGame, OpensFromTheMenuCentredOverTheWindowTheSameEachTime)
{
    playIntoATurn();
    QWidget* parent = nullptr;
    const Opening one = openAbout([&](QDialog& d) { parent = d.parentWidget(); });
    const Opening two = openAbout({});
    ASSERT_TRUE(one.found && two.found);
    EXPECT_EQ(parent, &*window_);
    EXPECT_EQ(one.grab, two.grab);
    EXPECT_EQ(one.focus, QStringLiteral("cmdOK"));
    EXPECT_EQ(two.focus, QStringLiteral("cmdOK"));
    const QPoint offset = one.geometry.center() - window_->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
}

}  // namespace
}  // namespace koppelo::ui
