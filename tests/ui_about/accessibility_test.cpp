// The About dialog as a screen reader finds it: its painted texts as static
// texts in reading order, the title and version as one, the logo by name,
// and OK as the focused button.
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/about/frm_over.h"
#include "ui/about/frm_over_layout.h"

namespace koppelo::ui {
namespace {

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

TEST(AboutAccessibility, TextsReadTopDownThenOKFocusedAndTheNamedLogo)
{
    QWidget owner;
    owner.show();
    FrmOver about([] { return QImage(129, 72, QImage::Format_RGB32); });
    std::vector<Seen> seen;
    QString title;
    QTimer::singleShot(0, &owner, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(dialog);
        title = tree->text(QAccessible::Name);
        leaves(tree, seen);
        dialog->accept();
    });
    about.Show(&owner);

    EXPECT_EQ(title, QStringLiteral("Over..."));
    const auto caption = [](std::string_view name) {
        return std::string(std::find_if(over::kControls.begin(), over::kControls.end(), [&](const over::Control& c) {
                               return c.name == name;
                           })->caption);
    };
    // The title with its version, as a screen reader reads a dialog's texts
    // only from three words up.
    std::vector<Seen> expected{{QAccessible::StaticText, caption("lblTitle") + ", " + caption("lblVersion"), false}};
    for (const char* name : {"Credits(0)", "Credits(1)", "Credits(2)"})
        expected.push_back({QAccessible::StaticText, caption(name), false});
    expected.push_back({QAccessible::Button, "OK", true});
    expected.push_back({QAccessible::Graphic, over::kLogoName, false});
    EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace koppelo::ui
