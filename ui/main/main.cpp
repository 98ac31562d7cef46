// Koppelo: shows the main window and runs until it is closed.
#include <QApplication>

#include <cstdio>

#include "assets/assets.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "ui/main/command_line.h"
#include "ui/main/frm_koppelo.h"

namespace {

// Without a display the platform plugin would abort with a long message;
// one line saying what to do is kinder.
bool displayMissing()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return false;
#else
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = koppelo::ui::answerCommandLine(argc, argv))
        return *status;
    if (displayMissing()) {
        std::fprintf(stderr, "koppelo: no display found; run it on a desktop, or under Xvfb: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "koppelo");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Koppelo"));
    QApplication::setDesktopFileName(QStringLiteral("koppelo"));

    koppelo::runtime::SystemClock clock;
    koppelo::runtime::Random random(clock);
    const QIcon icon = koppelo::assets::windowIcon();
    QApplication::setWindowIcon(icon);
    koppelo::ui::FrmKoppelo window(koppelo::assets::makeFaces(), icon, random);
    window.show();
    // Under a bare X server nobody else gives the new window the keyboard.
    window.activateWindow();
    return QApplication::exec();
}
