#include "start_up.h"

#include <QString>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform.h"

namespace koppelo::app {

namespace {

constexpr int kDisplayFailed = 1;
constexpr std::string_view kDisplayOption = "-display";
constexpr std::string_view kPlatformOption = "-platform";
// What Qt says, in its own words, before it gives up on a plugin it could not find.
constexpr char kPluginCategory[] = "qt.qpa.plugin";
constexpr QLatin1StringView kPluginNotFound("Could not find the Qt platform plugin");

// Qt's message handler is a plain function, so the one guard alive while
// the application object is constructed is reachable only from here.
std::atomic<DisplayGuard*> watching = nullptr;

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

DisplayRequest readDisplayRequest(int argc, char** argv)
{
    DisplayRequest request{argc > 0 ? argv[0] : "koppelo", optionValue(argc, argv, kPlatformOption),
                           optionValue(argc, argv, kDisplayOption)};
    if (request.platform.empty())
        request.platform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
    return request;
}

// Qt's word on the last platform plugin it tried: the plugin's name, as Qt
// quotes it, where it could not find it; empty where it found it, or tried none.
std::string pluginNotFound(const std::vector<DisplayGuard::Held>& messages)
{
    for (auto message = messages.rbegin(); message != messages.rend(); ++message) {
        if (message->category != kPluginCategory)
            continue;
        if (!message->text.startsWith(kPluginNotFound))
            return {};
        return message->text.section(QLatin1Char('"'), 1, 1).toStdString();
    }
    return {};
}

}  // namespace

DisplayGuard::DisplayGuard(int argc, char** argv)
    : failureLine_(describeDisplayFailure(readDisplayRequest(argc, argv)))
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
    if (type == QtFatalMsg)
        guard->fail(context, text);
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

void DisplayGuard::fail(const QMessageLogContext& context, const QString& text)
{
    const std::lock_guard lock(heldLock_);
    const std::string missing = pluginNotFound(held_);
    printText(Stream::Error,
              QString::fromStdString((missing.empty() ? failureLine_ : describeMissingPlatform(missing)) + '\n'));
    if (!missing.empty() || qEnvironmentVariableIntValue("QT_DEBUG_PLUGINS") > 0) {
        QString diagnostics;
        for (const Held& message : held_)
            diagnostics += qFormatLogMessage(message.type,
                                             QMessageLogContext(message.file.c_str(), message.line,
                                                                message.function.c_str(), message.category.c_str()),
                                             message.text) +
                           QLatin1Char('\n');
        printText(Stream::Error, diagnostics + qFormatLogMessage(QtFatalMsg, context, text) + QLatin1Char('\n'));
    }
    // Not the toolkit's abort: no core dump for a display that is not there.
    std::_Exit(kDisplayFailed);
}

}  // namespace koppelo::app
