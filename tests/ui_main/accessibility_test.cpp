// What a screen reader finds in the main window, read through Qt's
// accessibility interface: Dutch names for all a player sees and for nothing
// else, kept current through a worked game. (Qt hands change events only to a
// live screen reader; screen_reader.py listens for them under Xvfb.)
#include <QAccessible>
#include <QDialog>
#include <QTimer>

#include <map>
#include <set>
#include <vector>

#include "assets/face_names.h"
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

// After every click the clicked card, the previews and the counter read as
// the board looks, and no bird is named that is not on show.
TEST_F(Accessibility, NamesFollowAWorkedGame)
{
    const auto pair = pairs();
    const int first = pair[3][0], partner = pair[3][1], miss = pair[4][0];
    const QString open = QStringLiteral("open, %1"), found = QStringLiteral("gevonden, %1");
    const struct Step {
        const char* what;
        int click;
        QString clicked, previews, counter;
    } steps[] = {
        {"first card", first, open.arg(bird(3)), bird(3) + "|leeg", "Paren: 0"},
        {"the open card again", first, open.arg(bird(3)), bird(3) + "|leeg", "Paren: 0"},
        {"miss", miss, open.arg(bird(4)), "leeg|leeg", "Paren: 0"},
        {"first card again", first, open.arg(bird(3)), bird(3) + "|leeg", "Paren: 0"},
        {"match", partner, found.arg(bird(3)), bird(3) + "|" + bird(3), "Paren: 1"},
        {"a found card", first, found.arg(bird(3)), bird(3) + "|" + bird(3), "Paren: 1"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        clickSlot(step.click);
        const std::vector<std::string> after = names();
        EXPECT_EQ(after[kFirstCard + step.click], card(step.click, step.clicked));
        EXPECT_EQ(after[kFirstPreview] + "|" + after[kSecondPreview],
                  ("Eerste kaart: " + step.previews.section('|', 0, 0) + "|Tweede kaart: " + step.previews.section('|', 1))
                      .toStdString());
        EXPECT_EQ(after[kCounter], step.counter.toStdString());
        EXPECT_EQ(facesNamed(), facesOnShow());
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
