// Random input on the real main window, a screen reader listening: after every event the game keeps its
// invariants and every box shows what its model holds. KOPPELO_STORM_SEED and KOPPELO_STORM_EVENTS replay any storm.
#include <QMenu>
#include <QMenuBar>

#include <map>
#include <random>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

constexpr std::uint64_t kSeed = 20031, kEvents = 100'000;
constexpr int kModalTries = 1000;  // a modal window shows within this many millisecond retries

// A mistyped value stops the storm rather than replay the default one unnoticed.
void readEnvironment(const char* name, std::uint64_t& value)
{
    if (!qEnvironmentVariableIsSet(name))
        return;
    bool ok = false;
    value = qEnvironmentVariable(name).toULongLong(&ok);
    ASSERT_TRUE(ok) << name << "=" << qEnvironmentVariable(name).toStdString() << " is not a whole number of 0 or more";
}

// Weighted by place; a step may deliver several events, and pairs come often enough to end games between F2s.
enum class Step { Press, Release, Move, DoubleClick, PlayPair, F2, About, Key, ReaderPress };
constexpr std::array kStepWeights{400, 400, 40, 20, 160, 3, 5, 80, 20};
constexpr std::array kKeys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_Return};

enum class Place { Slot, Grid, Panel, Band, Anywhere };
constexpr std::array kPlaceWeights{50, 15, 15, 10, 10};

constexpr std::array kButtons{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
constexpr std::array kButtonWeights{85, 10, 5};

// What one input event may do to the game: a release click at most the slot box under it.
enum class Effect { None, ClickAt, Any };


class Storm : public WindowTest {
protected:
    void SetUp() override
    {
        QAccessible::setActive(true);
        openWindow(true);
        std::uint64_t seed = kSeed;
        ASSERT_NO_FATAL_FAILURE(readEnvironment("KOPPELO_STORM_SEED", seed));
        ASSERT_NO_FATAL_FAILURE(readEnvironment("KOPPELO_STORM_EVENTS", events_));
        random_.seed(seed);
        trace_ = "seed " + std::to_string(seed);
        for (int i = 0; i < game::kSlots; ++i)
            slots_.push_back(&slot(i));
        surfaceOrigin_ = frm().surface().mapTo(&frm(), QPoint(0, 0));
    }

    const game::FrmKoppelo& game() const { return window->game(); }

    void step()
    {
        switch (pick<Step>(kStepWeights)) {
        case Step::Press: return press(randomButton(), randomPoint());
        case Step::Release: return release(chance(70) ? lastButton_ : randomButton(), chance(60) ? lastPress_ : randomPoint());
        case Step::Move:
            return deliver("move", Effect::None, [&] { QTest::mouseMove(frm().windowHandle(), onWindow(randomPoint())); });
        case Step::DoubleClick: return doubleClick(randomPoint());
        case Step::PlayPair: return playPair();
        case Step::F2:
            deliver("F2", Effect::Any, [&] { pressF2(); });
            ASSERT_EQ(game::freshGameFault(game(), faces), "") << where("F2");
            return;
        case Step::About: return about();
        case Step::Key: {
            const Qt::Key key = kKeys[uniform(0, kKeys.size() - 1)];  // arrows change nothing, Space and Return may
            return deliver("key", key >= Qt::Key_Left ? Effect::None : Effect::Any, [&] { this->key(key); });
        }
        case Step::ReaderPress: return deliver("screen reader's press", Effect::Any, [&] { readerPress(); });
        }
    }

    void readerPress()  // on the card a screen reader finds at a slot's place
    {
        const QPoint at = frm().surface().mapToGlobal(slots_[uniform(0, game::kSlots - 1)]->geometry().center());
        QAccessibleInterface* surface = QAccessible::queryAccessibleInterface(&frm().surface());
        surface->childAt(at.x(), at.y())->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    template <typename T, std::size_t N>
    T pick(const std::array<int, N>& weights)
    {
        return static_cast<T>(std::discrete_distribution<int>(weights.begin(), weights.end())(random_));
    }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return uniform(0, 99) < percent; }
    Qt::MouseButton randomButton() { return kButtons[pick<std::size_t>(kButtonWeights)]; }

    QPoint inside(const QRect& r) { return {uniform(r.left(), r.right()), uniform(r.top(), r.bottom())}; }

    QPoint randomPoint()
    {
        const QRect surface = frm().surface().rect();
        const QRect grid = slots_.front()->geometry().united(slots_.back()->geometry());
        switch (pick<Place>(kPlaceWeights)) {
        case Place::Slot: return inside(slots_[uniform(0, game::kSlots - 1)]->geometry());
        case Place::Grid: return inside(grid);
        case Place::Panel: return inside(QRect(QPoint(grid.right() + 1, 0), surface.bottomRight()));
        case Place::Band: return inside(QRect(QPoint(0, 0), QPoint(surface.right(), grid.top() - 1)));
        case Place::Anywhere: break;
        }
        return inside(surface);
    }

    QPoint onWindow(QPoint onSurface) const { return onSurface + surfaceOrigin_; }

    void press(Qt::MouseButton button, QPoint at)
    {
        deliver("press", Effect::None, [&] { QTest::mousePress(frm().windowHandle(), button, {}, onWindow(at)); });
        held_ |= button;
        lastButton_ = button;
        lastPress_ = at;
    }

    void release(Qt::MouseButton button, QPoint at)
    {
        deliver("release", Effect::ClickAt,
                [&] { QTest::mouseRelease(frm().windowHandle(), button, {}, onWindow(at)); }, at);
        held_ &= ~button;
    }

    void click(int card)
    {
        const QPoint at = inside(slots_[card]->geometry());
        press(Qt::LeftButton, at);
        release(Qt::LeftButton, at);
    }

    void doubleClick(QPoint at)
    {
        deliver("double click", Effect::ClickAt,
                [&] { QTest::mouseDClick(frm().windowHandle(), Qt::LeftButton, {}, onWindow(at)); }, at);
        held_ &= ~Qt::LeftButton;
    }

    // The partner of an open first card, or both cards of a pair not yet found.
    void playPair()
    {
        if (game().state().TurnState == game::kAwaitSecond)
            return click(game::partnerOf(game(), game().state().FirstCard.toInt16()));
        std::vector<std::array<int, 2>> open;
        for (const auto& cards : pairs())
            if (board().Picture3[cards[0]].visible())
                open.push_back(cards);
        if (open.empty())
            return click(uniform(0, game::kSlots - 1));
        for (const int card : open[uniform(0, static_cast<int>(open.size()) - 1)])
            click(card);
    }

    // From the menu bar, by the mouse or by its access keys.
    void about()
    {
        for (const Qt::MouseButton button : kButtons)
            if (held_ & button)
                release(button, lastPress_);
        QMenuBar* bar = frm().menuBar();
        QAction* help = bar->actions().at(1);  // Help, the second menu
        const int before = abouts_;
        if (chance(50)) {
            deliver("click on the Help menu", Effect::None, [&] {
                QTest::mouseClick(frm().windowHandle(), Qt::LeftButton, {},
                                  bar->mapTo(&frm(), bar->actionGeometry(help).center()));
            });
            QMenu* menu = help->menu();
            ASSERT_TRUE(menu->isVisible()) << where("the Help menu did not open");
            deliver("click on Over...", Effect::None, [&] {
                QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                                  menu->actionGeometry(&frm().aboutAction()).center());
            });
        } else {
            deliver("Alt+H", Effect::None, [&] { key(Qt::Key_H, Qt::AltModifier); });
            ASSERT_TRUE(help->menu()->isVisible()) << where("Alt+H did not open the Help menu");
            deliver("O", Effect::None, [&] { QTest::keyClick(help->menu()->windowHandle(), Qt::Key_O); });
        }
        ASSERT_EQ(abouts_, before + 1) << where("the About dialog did not open");
    }

    // One input event, with a watcher armed for any modal window it opens.
    template <typename Send>
    void deliver(const char* what, Effect effect, Send send, QPoint at = {})
    {
        ++delivered_;
        lastEvent_ = what;
        const game::Whole before = game::whole(game());
        const int pairsBefore = game().state().PairsFound.toInt16();
        const int asked = questions_;
        {
            QObject watcher;  // its timers end with the event
            whenModal(watcher, [this](QWidget* modal) { handleModal(modal); }, 1 + kModalTries, 1);
            send();
        }
        QCoreApplication::processEvents();
        checkEverything();
        if (HasFatalFailure())
            return;

        ASSERT_EQ(game::questionFault(game(), faces, pairsBefore, questions_ - asked, lastAnswerYes_), "")
            << where("the question");
        if (questions_ > asked)
            return;
        const bool besideTheCards = effect == Effect::ClickAt &&
            dynamic_cast<runtime::qt::PictureBoxView*>(frm().surface().childAt(at)) == nullptr;
        if (effect == Effect::None || besideTheCards) {
            ASSERT_EQ(game::whole(game()), before) << where("the game changed");
        }
    }

    void handleModal(QWidget* modal)
    {
        if (modal == nullptr)
            return;
        checkEverything();  // with the question, every card shown face up
        pokeTheGameWindow();
        if (auto* question = qobject_cast<QMessageBox*>(modal))
            answer(*question);
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            lookAndClose(*dialog);
    }

    void pokeTheGameWindow()
    {
        const game::Whole before = game::whole(game());
        for (int n = uniform(0, 2); n > 0; --n)
            if (chance(30))
                key(chance(50) ? Qt::Key_F2 : Qt::Key_Space);
            else if (chance(30))
                readerPress();
            else
                QTest::mouseClick(frm().windowHandle(), Qt::LeftButton, {}, onWindow(randomPoint()));
        EXPECT_EQ(game::whole(game()), before) << where("the game took input behind a modal window");
    }

    void answer(QMessageBox& question)
    {
        ++questions_;
        EXPECT_EQ(board().Label1.caption(), "18") << where("asked before the end");
        lastAnswerYes_ = chance(50);
        ++(lastAnswerYes_ ? answeredYes_ : answeredNo_);
        if (chance(50))
            question.button(lastAnswerYes_ ? QMessageBox::Yes : QMessageBox::No)->click();
        else
            QTest::keyClick(&question, lastAnswerYes_ ? Qt::Key_Return : Qt::Key_Escape);
    }

    void lookAndClose(QDialog& dialog)
    {
        ++abouts_;
        const int way = uniform(0, 3);  // OK clicked, Enter, Esc, the close box
        if (way == 0)
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        else if (way == 3)
            dialog.windowHandle()->close();
        else
            QTest::keyClick(dialog.windowHandle(), way == 1 ? Qt::Key_Return : Qt::Key_Escape);
    }

    // Read in place: a copy of the whole window per event costs the sanitizer build minutes.
    int faceFlushedIn(const QWidget& view) const
    {
        return faceShownIn(testkit::flushedImage(*window), view.geometry().translated(surfaceOrigin_));
    }

    // The counter is drawn alike whenever it reads the same, and differently for another number.
    void checkEverything()
    {
        ASSERT_EQ(game::gameFault(game(), faces), "") << where("invariant");
        const game::Board& b = board();
        for (int i = 0; i < game::kSlots; ++i) {
            ASSERT_EQ(slots_[i]->isVisible(), b.Picture3[i].visible()) << where("slot " + std::to_string(i));
            const runtime::PictureBox& top = b.Picture3[i].visible() ? b.Picture3[i] : b.Picture1[i];
            ASSERT_EQ(faceFlushedIn(*slots_[i]), faceIn(top)) << where("slot " + std::to_string(i) + " on screen");
        }
        const QString topSource = QStringLiteral("Picture2(%1)").arg(layout::kPicture2TopFirst[0]);
        for (const auto& [name, face] : {std::pair{QStringLiteral("Picture4"), faceIn(b.Picture4)},
                                         {QStringLiteral("Picture5"), faceIn(b.Picture5)},
                                         {topSource, layout::kPicture2TopFirst[0]}})
            ASSERT_EQ(faceFlushedIn(box(name)), face) << where(name.toStdString());

        const QRect counter = frm().surface().pixels(layout::kLabel1).translated(surfaceOrigin_);
        const QImage digits = testkit::flushedImage(*window).copy(counter);
        const auto [drawn, first] = counterDrawn_.try_emplace(b.Label1.caption(), digits);
        ASSERT_EQ(drawn->second, digits) << where("counter " + b.Label1.caption() + " drawn differently");
        for (const auto& [caption, image] : counterDrawn_)
            ASSERT_TRUE(!first || caption == b.Label1.caption() || image != digits)
                << where("counter " + b.Label1.caption() + " drawn as " + caption);
    }

    std::string where(const std::string& what) const
    {
        return what + " after event " + std::to_string(delivered_) + " (" + lastEvent_ + "), " + trace_;
    }

    std::uint64_t delivered_ = 0, events_ = kEvents;
    int questions_ = 0, answeredYes_ = 0, answeredNo_ = 0, abouts_ = 0;
    std::mt19937_64 random_;
    std::string trace_;
    std::vector<runtime::qt::PictureBoxView*> slots_;
    QPoint surfaceOrigin_, lastPress_;
    Qt::MouseButton lastButton_ = Qt::LeftButton;
    Qt::MouseButtons held_;
    bool lastAnswerYes_ = false;
    const char* lastEvent_ = "none";
    std::map<std::string, QImage> counterDrawn_;
};

TEST_F(Storm, RandomInputKeepsTheGameWholeAndTheScreenTrue)
{
    checkEverything();
    while (delivered_ < events_ && !HasFatalFailure())
        step();
    ASSERT_FALSE(HasFatalFailure());
    std::printf("%llu events: %d games won (%d Yes, %d No), %d About dialogs\n",
                static_cast<unsigned long long>(delivered_), questions_, answeredYes_, answeredNo_, abouts_);
    EXPECT_GT(answeredYes_, 0);
    EXPECT_GT(answeredNo_, 0);
    EXPECT_GT(abouts_, 0);
}

}  // namespace
}  // namespace koppelo::ui::testing
