// Linux and the other POSIX desktops: descriptors, X11 or Wayland.
#include "platform.h"

#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include "texts/catalogue.h"

namespace koppelo::app {

namespace {

const texts::ProgramTexts& words() { return texts::chosen().program; }

constexpr std::string_view kWaylandPlatform = "wayland";
constexpr char kDefaultWaylandDisplay[] = "wayland-0";

std::string environment(const char* name)
{
    return qEnvironmentVariable(name).toStdString();
}

std::string filled(const char* text, const std::string& value)
{
    return QString::fromUtf8(text).arg(QString::fromStdString(value)).toStdString();
}

std::string filled(const char* text, const std::string& first, const std::string& second)
{
    return QString::fromUtf8(text).arg(QString::fromStdString(first), QString::fromStdString(second)).toStdString();
}

}  // namespace

void reopenClosedStandardStreams()
{
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor) {
            dup2(opened, descriptor);
            close(opened);
        }
    }
}

bool printText(Stream stream, const QString& text)
{
    std::FILE* file = stream == Stream::Output ? stdout : stderr;
    const QByteArray bytes = text.toLocal8Bit();
    // A full disk or a closed output shows only when the text is flushed.
    return std::fwrite(bytes.constData(), 1, bytes.size(), file) == static_cast<std::size_t>(bytes.size()) &&
           std::fflush(file) == 0;
}

std::string describeDisplayFailure(const DisplayRequest& request)
{
    const std::string& platform = request.platform;
    std::string display;
    if (platform.substr(0, kWaylandPlatform.size()) == kWaylandPlatform) {
        display = environment("WAYLAND_DISPLAY");
        if (display.empty())
            display = kDefaultWaylandDisplay;
    } else {
        display = request.display;
        if (display.empty())
            display = environment("DISPLAY");
        if (display.empty() && platform.empty())
            display = environment("WAYLAND_DISPLAY");
    }

    const auto& posix = words().posix;
    if (platform.empty())
        return display.empty() ? filled(posix.noDisplay, request.program) : filled(posix.displayFailed, display);
    return display.empty() ? filled(posix.noDisplayOnPlatform, platform)
                           : filled(posix.displayFailedOnPlatform, display, platform);
}

QString describeMissingFonts(MissingFonts missing)
{
    return QString::fromUtf8(missing == MissingFonts::Arial ? words().posix.arialMissing : words().posix.noFonts);
}

QString describeCredits() { return QString::fromUtf8(words().posix.credits); }

// Fontconfig comes with the toolkit's library, so it is looked up in the
// process rather than linked: the game builds against the toolkit alone.
void loadFontConfiguration()
{
    using Init = int (*)();
    if (const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit")))
        init();
}

std::string describeMissingPlatform(const std::string& plugin)
{
    const bool wayland = plugin.substr(0, kWaylandPlatform.size()) == kWaylandPlatform;
    return filled(wayland ? words().posix.waylandMissing : words().posix.platformMissing, plugin);
}

}  // namespace koppelo::app
