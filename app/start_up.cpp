#include "start_up.h"

#include <QString>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace koppelo::app {

namespace {

constexpr int kDisplayFailed = 1;
constexpr std::string_view kDisplayOption = "-display";
constexpr std::string_view kPlatformOption = "-platform";
constexpr std::string_view kWaylandPlatform = "wayland";
constexpr char kDefaultWaylandDisplay[] = "wayland-0";

// Qt's message handler is a plain function, so the one guard alive while
// the application object is constructed is reachable only from here.
std::atomic<DisplayGuard*> watching = nullptr;

std::string environment(const char* name)
{
    return qEnvironmentVariable(name).toStdString();
}

// Qt takes an option with one dash or two, its value as the next argument.
std::string optionValue(int argc, char** argv, std::string_view option)
{
    std::string value;
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.substr(0, 2) == "--")
            arg.remove_prefix(1);
        if (arg == option)
            value = argv[++i];
    }
    return value;
}

std::string describeFailure(int argc, char** argv)
{
    std::string platform = optionValue(argc, argv, kPlatformOption);
    if (platform.empty())
        platform = environment("QT_QPA_PLATFORM");
    std::string display;
    if (platform.substr(0, kWaylandPlatform.size()) == kWaylandPlatform) {
        display = environment("WAYLAND_DISPLAY");
        if (display.empty())
            display = kDefaultWaylandDisplay;
    } else {
        display = optionValue(argc, argv, kDisplayOption);
        if (display.empty())
            display = environment("DISPLAY");
        if (display.empty() && platform.empty())
            display = environment("WAYLAND_DISPLAY");
    }

    const std::string program = argc > 0 ? argv[0] : "koppelo";
    if (display.empty() && platform.empty())
        return "koppelo: geen beeldscherm gevonden; start het op een bureaublad, of onder Xvfb: xvfb-run -a " +
               program;
    std::string line = "koppelo: kan ";
    line += display.empty() ? "geen beeldscherm" : "beeldscherm \"" + display + "\" niet";
    line += " openen";
    if (!platform.empty())
        line += " met het Qt-platform \"" + platform + "\"";
    return line;
}

}  // namespace

void reopenClosedStandardStreams()
{
#if defined(Q_OS_UNIX)
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor) {
            dup2(opened, descriptor);
            close(opened);
        }
    }
#endif
}

DisplayGuard::DisplayGuard(int argc, char** argv) : failureLine_(describeFailure(argc, argv))
{
    watching = this;
    previous_ = qInstallMessageHandler(&DisplayGuard::handle);
}

DisplayGuard::~DisplayGuard()
{
    opened();
}

void DisplayGuard::opened()
{
    const std::lock_guard lock(heldLock_);
    if (open_)
        return;
    open_ = true;
    qInstallMessageHandler(previous_);
    watching = nullptr;
    for (const Held& message : held_)
        previous_(message.type,
                  QMessageLogContext(message.file.c_str(), message.line, message.function.c_str(),
                                     message.category.c_str()),
                  message.text);
    held_.clear();
}

void DisplayGuard::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    DisplayGuard* guard = watching;
    if (guard == nullptr) {  // a late message from another thread, as the guard ends
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        return;
    }
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", guard->failureLine_.c_str());
        std::fflush(stderr);
        // Not the toolkit's abort: no core dump for a display that is not there.
        std::_Exit(kDisplayFailed);
    }
    const std::lock_guard lock(guard->heldLock_);
    // The display opened while this message was on its way: the replay is
    // over, so holding it now would lose it.
    if (guard->open_) {
        guard->previous_(type, context, text);
        return;
    }
    guard->held_.push_back({type, context.file ? context.file : "", context.function ? context.function : "",
                           context.category ? context.category : "", context.line, text});
}

}  // namespace koppelo::app
