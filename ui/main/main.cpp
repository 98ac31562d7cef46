// Koppelo: shows the main window and runs until it is closed.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "assets/assets.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "ui/main/frm_koppelo.h"
#include "ui/main/start_up.h"

int main(int argc, char* argv[])
{
    koppelo::ui::reopenClosedStandardStreams();

    koppelo::ui::DisplayGuard display(argc, argv);
    QApplication app(argc, argv);
    display.opened();

    QApplication::setApplicationName(QStringLiteral("Koppelo"));
    QApplication::setDesktopFileName(QStringLiteral("koppelo"));

    // The whole interface is Dutch, the message box's buttons included.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    koppelo::runtime::SystemClock clock;
    koppelo::runtime::Random random(clock);
    const QIcon icon = koppelo::assets::windowIcon();
    QApplication::setWindowIcon(icon);
    koppelo::ui::FrmKoppelo window(koppelo::assets::makeFaces(), icon, random);
    window.show();
    return QApplication::exec();
}
