// What a screen reader finds in the main window and the About dialog, and hears of a game, in order.
#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <map>

#include "texts/catalogue.h"
#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

enum { kTitle, kFirstCard, kFaceOnTop = kFirstCard + game::kSlots, kCounter, kFirstPreview, kSecondPreview, kParts };
constexpr int kFaceShownOnTop = 6;

QString bird(int face)
{
    return QString::fromUtf8(texts::chosen().main.birds.at(static_cast<std::size_t>(face)));
}

std::string card(int slot, const QString& state = QStringLiteral("dicht"))
{
    const int row = slot / game::kColumns + 1, column = slot % game::kColumns + 1;
    return QStringLiteral("Kaart %1, rij %2, kolom %3: %4").arg(slot + 1).arg(row).arg(column).arg(state).toStdString();
}

class Accessibility : public WindowTest {
protected:
    QAccessibleInterface* surface() { return QAccessible::queryAccessibleInterface(&frm().surface()); }
    QAccessibleInterface* part(int index) { return surface()->child(index); }
    std::vector<std::string> names()
    {
        std::vector<std::string> all;
        for (int i = 0; i < kParts; ++i)
            all.push_back(part(i)->text(QAccessible::Name).toStdString());
        return all;
    }
};

// Every node under and including `node`, parents first.
void walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit)
{
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), visit);
}

void setPlatformAccessibility(bool on) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on); }

TEST_F(Accessibility, TheStartNamesEveryPlaceAndOnlyTheBirdOnShow)
{
    std::vector<std::string> expected{"Vogel-Koppelo"};
    for (int i = 0; i < game::kSlots; ++i)
        expected.push_back(card(i));
    expected.insert(expected.end(),
                    {bird(kFaceShownOnTop).toStdString(), "Paren: 0", "Eerste kaart: leeg", "Tweede kaart: leeg"});
    ASSERT_EQ(surface()->childCount(), kParts);
    EXPECT_EQ(names(), expected);
    QStringList all;
    walk(QAccessible::queryAccessibleInterface(&*window), [&all](QAccessibleInterface* node) {
        for (auto text : {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help})
            all << node->text(text);
        if (QAccessibleImageInterface* image = node->imageInterface())
            all << image->imageDescription();
    });
    for (int k = 0; k < game::kFaces; ++k)
        EXPECT_EQ(all.filter(bird(k)).isEmpty(), k != kFaceShownOnTop) << "bird " << k;
    EXPECT_EQ(surface()->focusChild(), part(kFirstCard));
    EXPECT_TRUE(part(kFirstCard)->state().focused);

    const std::map<int, QAccessible::Role> roles{{0, QAccessible::StaticText}, {kFirstCard, QAccessible::Button},
                                                 {kFaceOnTop, QAccessible::Graphic}, {kCounter, QAccessible::StatusBar},
                                                 {kFirstPreview, QAccessible::Graphic}, {kSecondPreview, QAccessible::Graphic}};
    for (int i = 0; i < kParts; ++i)
        EXPECT_EQ(part(i)->role(), std::prev(roles.upper_bound(i))->second) << i;
    for (int i : {0, 7, 35}) {
        const QRect where(slot(i).mapToGlobal(QPoint(0, 0)), slot(i).size());
        EXPECT_EQ(part(kFirstCard + i)->rect(), where);
        EXPECT_EQ(surface()->childAt(where.center().x(), where.center().y()), part(kFirstCard + i));
    }
}

using Said = std::vector<std::string>;

// Each thing heard by its kind: what takes the focus, the focus's new name, news, as an object or an announcement.
std::string focus(const std::string& name) { return "focus: " + name; }
std::string renamed(const std::string& name) { return "renamed: " + name; }
std::string news(const std::string& text) { return "news: " + text; }
constexpr bool kNamesTravel = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);  // a name change carries the name
// A card that changes under the focus: renamed where the name travels, else made anew and focused.
std::string turnedHere(const std::string& name) { return kNamesTravel ? renamed(name) : focus(name); }

// What a screen reader hears, with the platform's accessibility on, as a screen reader turns it.
class Hearing : public Accessibility {
protected:
    Hearing()
    {
        heard.clear();
        setPlatformAccessibility(true);
        previous_ = QAccessible::installUpdateHandler(&hear);
    }
    ~Hearing() override
    {
        QAccessible::installUpdateHandler(previous_);
        setPlatformAccessibility(false);
    }
    void SetUp() override
    {
        openWindow(true);  // the real question, which takes the keyboard
        EXPECT_EQ(after([] {}), Said{focus(card(0))});  // the start
    }
    static Said after(const std::function<void()>& act)
    {
        act();
        QApplication::processEvents();
        return std::exchange(heard, {});
    }

private:
    static inline Said heard;
    static void hear(QAccessibleEvent* event)
    {
        static QAccessibleInterface* focused = nullptr;
        QAccessibleInterface* object = event->accessibleInterface();
        if (event->type() == QAccessible::Focus)
            focused = object;
        const std::string name = object->text(QAccessible::Name).toStdString();
        if (name.empty())
            return;
        if (event->type() == QAccessible::Focus)
            heard.push_back(focus(name));
        else if (event->type() == QAccessible::ObjectShow && object->role() == QAccessible::Notification)
            heard.push_back(news(name));
        else if (event->type() == QAccessible::NameChanged && object == focused)
            heard.push_back(renamed(name));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement)
            heard.push_back(news(static_cast<QAccessibleAnnouncementEvent*>(event)->message().toStdString()));
#endif
    }

    QAccessible::UpdateHandler previous_ = nullptr;
};

// Each card before what its turn came to, "Nieuw spel" before the focus's card; a
// screen reader's press acts as Space, on face-down cards only and not under a modal.
TEST_F(Hearing, EachCardBeforeWhatItsTurnCameToAndANewGameBeforeTheCard)
{
    const auto pair = pairs();
    const int first = pair[3][0], partner = pair[3][1], miss = pair[4][0];
    const auto click = [this](int slot) { return [this, slot] { clickSlot(slot); }; };
    const auto press = [this](int slot) {
        return [this, slot] { part(kFirstCard + slot)->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); };
    };
    const auto shown = [](const QString& first, const QString& second, int pairs) {
        return QStringLiteral("Eerste kaart: %1|Tweede kaart: %2|Paren: %3").arg(first, second).arg(pairs).toStdString();
    };
    const QString empty = QStringLiteral("leeg"), open = QStringLiteral("open, "), found = QStringLiteral("gevonden, ");
    const struct Step {
        const char* what;
        std::function<void()> act;
        Said heard;
        std::string shown;
    } steps[] = {
        {"a turn", click(first), {focus(card(first, open + bird(3)))}, shown(bird(3), empty, 0)},
        {"the open card pressed", press(first), {}, shown(bird(3), empty, 0)},
        {"a miss", click(miss), {focus(card(miss, open + bird(4))), news("geen paar")}, shown(empty, empty, 0)},
        {"a card pressed away from the focus", press(first), {turnedHere(card(miss))}, shown(bird(3), empty, 0)},
        {"a pair", click(partner), {focus(card(partner, found + bird(3))), news("paar gevonden, Paren: 1")},
         shown(bird(3), bird(3), 1)},
        {"a found card", click(first), {focus(card(first, found + bird(3)))}, shown(bird(3), bird(3), 1)},
        {"F2", [this] { pressF2(); }, {news("Nieuw spel"), turnedHere(card(first))}, shown(bird(3), bird(3), 0)},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_EQ(after(step.act), step.heard);
        const std::vector<std::string> now = names();
        EXPECT_EQ(now[kFirstPreview] + "|" + now[kSecondPreview] + "|" + now[kCounter], step.shown);
    }
    // A screen reader that connects once the window is up hears where the focus is.
    for (const bool on : {false, true})
        setPlatformAccessibility(on);
    EXPECT_EQ(after([] {}), Said{focus(card(first))});
    const std::vector<std::string> before = names();
    QDialog modal(&frm());
    QTimer::singleShot(0, &modal, [&] {
        press(pair[6][0])();
        EXPECT_EQ(names(), before);
        modal.reject();
    });
    modal.exec();
}

// The last pair is out before the question takes the keyboard; then Ja is a new game and Nee gives back the card.
TEST_F(Hearing, TheLastPairBeforeTheQuestionThenJaANewGame)
{
    for (const std::int32_t answer : {runtime::kNo, runtime::kYes}) {
        SCOPED_TRACE(answer == runtime::kYes ? "Ja" : "Nee");
        const auto all = pairs();
        playEveryPair(1);
        const int last = all.back()[1];
        after([&] { clickSlot(all.back()[0]); });
        Said whenAsked;
        // The question follows the last pair's news a moment later.
        whenModal<QMessageBox>(frm(), [&](QMessageBox* box) {
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowActive(box));
            whenAsked = after([] {});
            box->button(answer == runtime::kYes ? QMessageBox::Yes : QMessageBox::No)->click();
        }, 100);
        clickSlot(last);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frm()));
        const Said afterwards = after([] {});
        const std::string found = card(last, "gevonden, " + bird(game::kFaces - 1));
        EXPECT_EQ(whenAsked, (Said{news(found), news("paar gevonden, Paren: 18"), focus("Ja")}));
        const Said ja{news("Nieuw spel"), focus(card(last))};
        EXPECT_EQ(afterwards, answer == runtime::kYes ? ja : Said{focus(found)});
        after([&] { pressF2(); });
    }
}

// Title and version as one text, as a screen reader reads a dialog's texts
// only from three words up; closed, the dialog gives the card back.
TEST_F(Hearing, TheAboutDialogOnOKWithTitleAndVersionFirstThenTheCardAgain)
{
    Said opened;
    std::vector<std::string> texts;
    whenModal<QDialog>(frm(), [&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        opened = after([] {});
        walk(QAccessible::queryAccessibleInterface(dialog), [&texts](QAccessibleInterface* node) {
            if (node->childCount() == 0)
                texts.push_back(node->text(QAccessible::Name).toStdString());
        });
        dialog->accept();
    }, 1);
    frm().aboutAction().trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frm()));
    const Said closed = after([] {});

    EXPECT_EQ(opened, Said{focus("OK")});
    EXPECT_EQ(texts, (std::vector<std::string>{"Vogel-Koppelo, versie 1.0", "Spel door Pluimpje, 2003",
                                               "\u00a9 2003 Veerkracht Soft", "Voor de website \"Pluimwerk\".", "OK",
                                               "Logo Vogel-Koppelo"}));
    EXPECT_EQ(closed, Said{focus(card(0))});
}

// A busy screen reader reads news objects late: the latest 64 stay readable, older ones go.
TEST_F(Hearing, TheLatestNewsObjectsStayReadable)
{
    if (kNamesTravel)
        GTEST_SKIP() << "the news goes out as announcements here, no object kept";
    std::vector<QAccessible::Id> told;
    for (int i = 0; i <= 64; ++i) {
        frm().surface().accessibleParts().news(QString::number(i));
        frm().surface().accessibleParts().tell();
        told.push_back(QAccessible::uniqueId(part(kCounter)->child(0)));
    }
    const auto gone = [](QAccessible::Id id) { return QAccessible::accessibleInterface(id) == nullptr; };
    EXPECT_TRUE(gone(told.front()));
    EXPECT_EQ(std::ranges::count_if(told, gone), 1);
}

TEST(AccessibleSurface, AskedBeforeItHasPartsItListsThemOnceAdded)
{
    QWidget window;
    runtime::qt::FormSurface surface(&window);
    QAccessibleInterface* early = QAccessible::queryAccessibleInterface(&surface);
    surface.accessibleParts().add({QAccessible::StaticText, QStringLiteral("Paren: 0"), QRect(0, 0, 9, 9)});
    ASSERT_EQ(early->childCount(), 1);
    EXPECT_EQ(early->child(0)->text(QAccessible::Name), QStringLiteral("Paren: 0"));
}

}  // namespace
}  // namespace koppelo::ui::testing
