// The floor of the start-up benchmark: about the least a Qt program does to
// show a window like the game's. A fixed window of the same client size,
// centred, with the same two menus and one line of "Arial" text on the title
// band's colour, which the benchmark watches for on the screen.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

namespace {

constexpr QSize kClient{656, 583};
constexpr QRgb kBand = qRgb(86, 145, 233);
constexpr int kTextPixels = 27;
constexpr int kTextIndent = 8;

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Koppelo floor"));
    QMenu* spel = window.menuBar()->addMenu(QStringLiteral("&Spel"));
    spel->addAction(QStringLiteral("&Nieuw spel"))->setShortcut(QKeySequence(Qt::Key_F2));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Over..."));

    auto* text = new QLabel(QStringLiteral("Vogel-Koppelo"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(kTextPixels);
    arial.setBold(true);
    text->setFont(arial);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setIndent(kTextIndent);
    QPalette colours = text->palette();
    colours.setColor(QPalette::Window, QColor(kBand));
    colours.setColor(QPalette::WindowText, Qt::white);
    text->setPalette(colours);
    text->setAutoFillBackground(true);
    text->setFixedSize(kClient);
    window.setCentralWidget(text);

    window.setFixedSize(window.sizeHint());
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
