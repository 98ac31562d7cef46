// The program's guard around the toolkit's start: a display that cannot be
// opened ends the program with one line naming it instead of the toolkit's
// abort, and a platform plugin that is not there with one line naming it
// followed by the toolkit's own explanation. The lines' wording is the
// platform's (platform.h).
#pragma once

#include <QString>
#include <QtGlobal>

#include <mutex>
#include <string>
#include <vector>

namespace koppelo::app {

// Alive while the application object is constructed: a fatal error then
// means the display could not be opened, so it prints one line naming the
// display and ends the program with status 1. The toolkit's other messages
// are held meanwhile and passed on once the display is open. Where the
// toolkit said it could not find the platform plugin, or QT_DEBUG_PLUGINS
// asks for its diagnostics, they are passed on after that line, the fatal
// one with its list of the plugins there are included.
class DisplayGuard {
public:
    // The display and platform named on the command line (-display,
    // -platform) or in the environment; read before the toolkit takes its
    // own options out of argv.
    DisplayGuard(int argc, char** argv);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    // The display is open: the toolkit's handler is back and hears what was held.
    void opened();

    // A message of the toolkit's, held until the display is open.
    struct Held {
        QtMsgType type;
        std::string file, function, category;
        int line;
        QString text;
    };

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    [[noreturn]] void fail(const QMessageLogContext& context, const QString& text);

    std::string failureLine_;
    QtMessageHandler previous_ = nullptr;
    std::mutex heldLock_;
    bool open_ = false;  // guarded by heldLock_
    std::vector<Held> held_;
};

}  // namespace koppelo::app
