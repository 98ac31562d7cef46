// The floor of the start-up benchmark: about the least a Qt program does to
// show a window like the game's. A fixed window of the same client size,
// centred, with the same two menus and one line of the title's text on the
// title band's colour, which the benchmark watches for on the screen; all
// taken from the game's layout table at 96 dpi.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include "runtime/twips.h"
#include "texts/catalogue.h"
#include "ui/main/frm_koppelo_layout.h"

namespace {

namespace layout = koppelo::ui::layout;

constexpr double kDotsPerInch = 96;
constexpr double kPointsPerInch = 72;

int pixels(int twips) { return koppelo::runtime::twipsToPixels(twips, kDotsPerInch); }

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Koppelo floor"));
    const koppelo::texts::MainWindowTexts& words = koppelo::texts::chosen().main;
    QMenu* spel = window.menuBar()->addMenu(QString::fromUtf8(words.menuGame));
    spel->addAction(QString::fromUtf8(words.menuNewGame))->setShortcut(QKeySequence(layout::kMnuSpelNieuwKey));
    window.menuBar()->addMenu(QString::fromUtf8(words.menuHelp))->addAction(QString::fromUtf8(words.menuAbout));

    auto* text = new QLabel(QString::fromUtf8(words.title));
    QFont font(QString::fromLatin1(layout::kLblTitelFont.family));
    font.setPixelSize(qRound(layout::kLblTitelFont.points * kDotsPerInch / kPointsPerInch));
    font.setBold(layout::kLblTitelFont.bold);
    text->setFont(font);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setIndent(pixels(layout::kLblTitel.left));
    QPalette colours = text->palette();
    colours.setColor(QPalette::Window, QColor(layout::kShpTitelFill));
    colours.setColor(QPalette::WindowText, QColor(layout::kLblTitelColour));
    text->setPalette(colours);
    text->setAutoFillBackground(true);
    text->setFixedSize(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
    window.setCentralWidget(text);

    window.setFixedSize(window.sizeHint());
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
