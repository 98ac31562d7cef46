// The program's guards around the toolkit's start: descriptors 0-2 that the
// caller left closed are opened on /dev/null, so the display connection can
// never take one of them, and a display that cannot be opened ends the
// program with one line naming it instead of the toolkit's abort.
#pragma once

#include <QString>
#include <QtGlobal>

#include <mutex>
#include <string>
#include <vector>

namespace koppelo::app {

// Opens each closed descriptor of 0-2 on /dev/null. Call it in main before
// anything can open a file or a connection; the command line, which opens
// none, is answered first.
void reopenClosedStandardStreams();

// Alive while the application object is constructed: a fatal error then
// means the display could not be opened, so it prints one line naming the
// display and ends the program with status 1. The toolkit's other messages
// are held meanwhile and passed on once the display is open.
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

private:
    struct Held {
        QtMsgType type;
        std::string file, function, category;
        int line;
        QString text;
    };
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    std::string failureLine_;
    QtMessageHandler previous_ = nullptr;
    std::mutex heldLock_;
    bool open_ = false;  // guarded by heldLock_
    std::vector<Held> held_;
};

}  // namespace koppelo::app
