// Koppelo: shows the main window and runs until it is closed.
#include <QApplication>

#include "app/command_line.h"
#include "app/font_check.h"
#include "app/font_set_up.h"
#include "app/platform.h"
#include "app/screen_check.h"
#include "app/start_up.h"
#include "assets/assets.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "ui/main/frm_koppelo_window.h"

int main(int argc, char* argv[])
{
    // --help into a closed output must fail, not vanish into /dev/null.
    if (const std::optional<int> status = koppelo::app::answerCommandLine(argc, argv))
        return *status;
    koppelo::app::reopenClosedStandardStreams();
    koppelo::app::FontSetUp fonts;

    koppelo::app::DisplayGuard display(argc, argv);
    QApplication app(argc, argv);
    display.opened();
    if (const std::optional<int> status = koppelo::app::refuseUnusableScreen())
        return *status;
    const koppelo::app::FontSetUp::Scan scan(fonts);

    QApplication::setApplicationName(QStringLiteral("Koppelo"));
    QApplication::setDesktopFileName(QStringLiteral("nl.koppelo.Koppelo"));

    koppelo::runtime::SystemClock clock;
    koppelo::runtime::Random random(clock);
    const QIcon icon = koppelo::assets::windowIcon();
    koppelo::ui::FrmKoppelo window(koppelo::assets::makeFaces(), icon, random);
    // Built, the window has had the toolkit find its fonts.
    koppelo::app::tellMissingFonts();
    window.show();
    // For the dialogs to come. Given before the window was made, the icon
    // would reach its title bar twice: once as the application's, once as its own.
    QApplication::setWindowIcon(icon);
    // Under a bare X server nobody else gives the new window the keyboard.
    window.activateWindow();
    return QApplication::exec();
}
