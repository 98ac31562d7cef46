// What a screen reader finds in the main window and the About dialog, read
// through Qt's accessibility interface: Dutch names for all a player sees and
// for nothing else; and what it hears, in order, from the events the program
// sends through a game (heard.h records them as they go out).
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <map>
#include <set>
#include <vector>

#include "assets/face_names.h"
#include "heard.h"
#include "ui/about/frm_over_layout.h"
#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

constexpr int kFirstCard = 1;  // after the title
constexpr int kFaceOnTop = kFirstCard + game::kSlots;
constexpr int kCounter = kFaceOnTop + 1;
constexpr int kFirstPreview = kCounter + 1;
constexpr int kSecondPreview = kFirstPreview + 1;
constexpr int kParts = kSecondPreview + 1;
constexpr int kFaceShownOnTop = 6;

QString bird(int face)
{
    const std::string_view name = assets::kFaceNames.at(static_cast<std::size_t>(face));
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::string card(int slot, const QString& state)
{
    return QStringLiteral("Kaart %1, rij %2, kolom %3: %4")
        .arg(slot + 1)
        .arg(slot / game::kColumns + 1)
        .arg(slot % game::kColumns + 1)
        .arg(state)
        .toStdString();
}

class Accessibility : public WindowTest {
protected:
    void SetUp() override { openWindow(); }

    QAccessibleInterface* part(int index)
    {
        return QAccessible::queryAccessibleInterface(&frm().surface())->child(index);
    }
    std::vector<std::string> names()
    {
        std::vector<std::string> all;
        for (int i = 0; i < kParts; ++i)
            all.push_back(part(i)->text(QAccessible::Name).toStdString());
        return all;
    }
    // Every string of every object in the window's tree.
    static void strings(QAccessibleInterface* node, QStringList& out)
    {
        for (auto text : {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help})
            out << node->text(text);
        if (QAccessibleImageInterface* image = node->imageInterface())
            out << image->imageDescription();
        for (int i = 0; i < node->childCount(); ++i)
            strings(node->child(i), out);
    }
    std::set<int> facesNamed()
    {
        QStringList all;
        strings(QAccessible::queryAccessibleInterface(&*window), all);
        std::set<int> named;
        for (int k = 0; k < game::kFaces; ++k) {
            if (std::any_of(all.begin(), all.end(), [&](const QString& s) { return s.contains(bird(k)); }))
                named.insert(k);
        }
        return named;
    }
    // The faces a player sees: cards turned or found, the previews and the top source box.
    std::set<int> facesOnShow() const
    {
        std::set<int> shown{kFaceShownOnTop};
        for (int i = 0; i < game::kSlots; ++i) {
            if (!board().Picture3[i].visible() || board().Picture3[i].handle() != runtime::kEmptyHandle)
                shown.insert(faceDealtTo(i));
        }
        for (const auto* preview : {&board().Picture4, &board().Picture5}) {
            for (int k = 0; k < game::kFaces; ++k)
                if (preview->handle() == faces[k]->handle())
                    shown.insert(k);
        }
        return shown;
    }
};

TEST_F(Accessibility, TheStartNamesEveryPlaceAndOnlyTheBirdOnShow)
{
    std::vector<std::string> expected{"Vogel-Koppelo"};
    for (int i = 0; i < game::kSlots; ++i)
        expected.push_back(card(i, QStringLiteral("dicht")));
    expected.insert(expected.end(),
                    {bird(kFaceShownOnTop).toStdString(), "Paren: 0", "Eerste kaart: leeg", "Tweede kaart: leeg"});
    ASSERT_EQ(QAccessible::queryAccessibleInterface(&frm().surface())->childCount(), kParts);
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(facesNamed(), std::set<int>{kFaceShownOnTop});

    const std::map<int, QAccessible::Role> roles{{0, QAccessible::StaticText}, {kFirstCard, QAccessible::Button},
                                                 {kFaceOnTop, QAccessible::Graphic}, {kCounter, QAccessible::StatusBar},
                                                 {kFirstPreview, QAccessible::Graphic}, {kSecondPreview, QAccessible::Graphic}};
    for (int i = 0; i < kParts; ++i)
        EXPECT_EQ(part(i)->role(), std::prev(roles.upper_bound(i))->second) << i;
    // Each card lies where its slot is, and a point there finds it.
    for (int i : {0, 7, 35}) {
        const QRect where(slot(i).mapToGlobal(QPoint(0, 0)), slot(i).size());
        EXPECT_EQ(part(kFirstCard + i)->rect(), where);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&frm().surface())->childAt(where.center().x(), where.center().y()),
                  part(kFirstCard + i));
    }
}

// The keyboard's place is the focused card; a screen reader's press acts as
// Space does: it turns a face-down card and leaves any other alone.
TEST_F(Accessibility, FocusIsTheKeyboardsCardAndAPressTurnsOnlyAFaceDownCard)
{
    QAccessibleInterface* surface = QAccessible::queryAccessibleInterface(&frm().surface());
    EXPECT_EQ(surface->focusChild(), part(kFirstCard));
    EXPECT_TRUE(part(kFirstCard)->state().focused);
    QTest::keyClick(window->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(surface->focusChild(), part(kFirstCard + 1));
    EXPECT_FALSE(part(kFirstCard)->state().focused);

    const auto pair = pairs();
    const auto press = [&](int slot) {
        part(kFirstCard + slot)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        return names();
    };
    const std::vector<std::string> turned = press(pair[5][0]);
    EXPECT_EQ(turned[kFirstCard + pair[5][0]], card(pair[5][0], "open, " + bird(5)));
    EXPECT_EQ(press(pair[5][0]), turned);
    EXPECT_EQ(press(pair[5][1])[kCounter], "Paren: 1");
    const std::vector<std::string> matched = names();
    EXPECT_EQ(press(pair[5][0]), matched);

    // Under a modal dialog the window takes no press, as it takes no click.
    QDialog modal(&frm());
    QTimer::singleShot(0, &modal, [&] {
        EXPECT_EQ(press(pair[6][0]), matched);
        modal.reject();
    });
    modal.exec();
}

struct Seen {
    QAccessible::Role role;
    std::string name;
    bool focused;
    friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& seen, std::ostream* out) { *out << seen.role << " '" << seen.name << "'" << (seen.focused ? " (focused)" : ""); }

// The leaves of the tree under node, in order.
void leaves(QAccessibleInterface* node, std::vector<Seen>& out)
{
    if (node->childCount() == 0) {
        out.push_back({node->role(), node->text(QAccessible::Name).toStdString(), node->state().focused != 0});
        return;
    }
    for (int i = 0; i < node->childCount(); ++i)
        leaves(node->child(i), out);
}

using Said = std::vector<std::string>;

class Hearing : public Accessibility {
protected:
    void SetUp() override
    {
        Accessibility::SetUp();
        EXPECT_EQ(after([] {}), Said{card(0, QStringLiteral("dicht"))});  // the start
    }
    Said after(const std::function<void()>& act)
    {
        act();
        QApplication::processEvents();
        return heard.take();
    }

    testkit::Heard heard;  // on before the window opens
};

// Each turned card with its bird before what the turn came to, "Nieuw spel"
// before the card under the focus, and the names on show as the board looks.
TEST_F(Hearing, EachCardBeforeWhatItsTurnCameToAndANewGameBeforeTheCard)
{
    const auto pair = pairs();
    const int first = pair[3][0], partner = pair[3][1], miss = pair[4][0];
    const QString open = QStringLiteral("open, %1"), found = QStringLiteral("gevonden, %1");
    const struct Step {
        const char* what;
        std::function<void()> act;
        Said heard;
        QString previews, counter;
    } steps[] = {
        {"a turn", [&] { clickSlot(first); }, {card(first, open.arg(bird(3)))}, bird(3) + "|leeg", "Paren: 0"},
        {"the open card again", [&] { clickSlot(first); }, {}, bird(3) + "|leeg", "Paren: 0"},
        {"a miss", [&] { clickSlot(miss); }, {card(miss, open.arg(bird(4))), "geen paar"}, "leeg|leeg", "Paren: 0"},
        {"the first card again", [&] { clickSlot(first); }, {card(first, open.arg(bird(3)))}, bird(3) + "|leeg",
         "Paren: 0"},
        {"a pair", [&] { clickSlot(partner); }, {card(partner, found.arg(bird(3))), "paar gevonden, Paren: 1"},
         bird(3) + "|" + bird(3), "Paren: 1"},
        {"a found card", [&] { clickSlot(first); }, {card(first, found.arg(bird(3)))}, bird(3) + "|" + bird(3),
         "Paren: 1"},
        {"F2", [&] { pressF2(); }, {"Nieuw spel", card(first, QStringLiteral("dicht"))}, bird(3) + "|" + bird(3),
         "Paren: 0"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_EQ(after(step.act), step.heard);
        const std::vector<std::string> now = names();
        EXPECT_EQ(now[kFirstPreview] + "|" + now[kSecondPreview],
                  ("Eerste kaart: " + step.previews.section('|', 0, 0) + "|Tweede kaart: " + step.previews.section('|', 1))
                      .toStdString());
        EXPECT_EQ(now[kCounter], step.counter.toStdString());
        EXPECT_EQ(facesNamed(), facesOnShow());
    }
}

// The last pair is out before the question takes the keyboard; Ja is a new
// game, Nee keeps the finished board.
TEST_F(Hearing, TheLastPairBeforeTheQuestionThenJaANewGame)
{
    for (const std::int32_t answer : {runtime::kNo, runtime::kYes}) {
        SCOPED_TRACE(answer == runtime::kYes ? "Ja" : "Nee");
        question.answer = answer;
        const auto all = pairs();
        for (int face = 0; face + 1 < game::kFaces; ++face) {
            clickSlot(all[face][0]);
            clickSlot(all[face][1]);
        }
        const int last = all.back()[1];
        after([&] { clickSlot(all.back()[0]); });
        Said whenAsked;
        question.whileOpen = [&] { whenAsked = heard.take(); };
        const Said afterwards = after([&] { clickSlot(last); });
        EXPECT_EQ(whenAsked, (Said{card(last, "gevonden, " + bird(game::kFaces - 1)), "paar gevonden, Paren: 18"}));
        const Said ja{"Nieuw spel", card(last, QStringLiteral("dicht"))};
        EXPECT_EQ(afterwards, answer == runtime::kYes ? ja : Said{});
        question.whileOpen = nullptr;
        after([&] { pressF2(); });
    }
}

// The About dialog opens on OK with its texts read top down, the title with
// its version as one, as a screen reader reads a dialog's texts only from
// three words up; closed, it gives the card back.
TEST_F(Hearing, TheAboutDialogOnOKWithTitleAndVersionFirstThenTheCardAgain)
{
    Said opened;
    QString title;
    std::vector<Seen> texts;
    QTimer::singleShot(0, &frm(), [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        QApplication::processEvents();
        opened = heard.take();
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(dialog);
        title = tree->text(QAccessible::Name);
        leaves(tree, texts);
        dialog->accept();
    });
    frm().aboutAction().trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frm()));
    const Said closed = after([] {});

    EXPECT_EQ(opened, Said{"OK"});
    EXPECT_EQ(title, QStringLiteral("Over..."));
    const auto caption = [](std::string_view name) {
        return std::string(std::find_if(over::kControls.begin(), over::kControls.end(), [&](const over::Control& c) {
                               return c.name == name;
                           })->caption);
    };
    std::vector<Seen> expected{{QAccessible::StaticText, caption("lblTitle") + ", " + caption("lblVersion"), false}};
    for (const char* name : {"Credits(0)", "Credits(1)", "Credits(2)"})
        expected.push_back({QAccessible::StaticText, caption(name), false});
    expected.push_back({QAccessible::Button, "OK", true});
    expected.push_back({QAccessible::Graphic, over::kLogoName, false});
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(closed, Said{card(0, QStringLiteral("dicht"))});
}

// A surface asked about before it has parts lists them once they come.
TEST(AccessibleSurface, AskedBeforeItHasPartsItListsThemOnceAdded)
{
    QWidget window;
    runtime::qt::FormSurface surface(&window);
    QAccessibleInterface* early = QAccessible::queryAccessibleInterface(&surface);
    surface.accessibleParts().add(
        {QAccessible::StaticText, [] { return QStringLiteral("Paren: 0"); }, [] { return QRect(0, 0, 9, 9); }});
    ASSERT_EQ(early->childCount(), 1);
    EXPECT_EQ(early->child(0)->text(QAccessible::Name), QStringLiteral("Paren: 0"));
}

}  // namespace
}  // namespace koppelo::ui::testing
