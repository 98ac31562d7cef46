// Linux and the other POSIX desktops: descriptors, X11 or Wayland.
#include "platform.h"

#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace koppelo::app {

namespace {

constexpr std::string_view kWaylandPlatform = "wayland";
constexpr char kDefaultWaylandDisplay[] = "wayland-0";

std::string environment(const char* name)
{
    return qEnvironmentVariable(name).toStdString();
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

    if (display.empty() && platform.empty())
        return "koppelo: geen beeldscherm gevonden; start het op een bureaublad, of onder Xvfb: xvfb-run -a " +
               request.program;
    std::string line = "koppelo: kan ";
    line += display.empty() ? "geen beeldscherm" : "beeldscherm \"" + display + "\" niet";
    line += " openen";
    if (!platform.empty())
        line += " met het Qt-platform \"" + platform + "\"";
    return line;
}

std::string fontSource(NeededFont font)
{
    return font == NeededFont::Arial ? "Liberation Sans uit het pakket fonts-liberation"
                                     : "DejaVu Sans uit het pakket fonts-dejavu-core";
}

std::string describeMissingPlatform(const std::string& plugin)
{
    std::string line = "koppelo: Qt kan zijn platform \"" + plugin + "\" niet vinden; ";
    if (plugin.substr(0, kWaylandPlatform.size()) == kWaylandPlatform)
        return line + "installeer het pakket qt6-wayland";
    return line + "welke er zijn, zegt Qt hieronder";
}

}  // namespace koppelo::app
