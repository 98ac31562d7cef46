// Windows: a GUI program without a console of its own.
#include "platform.h"

#include <windows.h>

#include <cerrno>

#include "texts/catalogue.h"

namespace koppelo::app {

namespace {

const texts::ProgramTexts& words() { return texts::chosen().program; }

// In UTF-16, whatever the console's code page.
bool writeConsole(HANDLE console, const QString& text)
{
    const auto length = static_cast<DWORD>(text.size());
    DWORD written = 0;
    return WriteConsoleW(console, text.utf16(), length, &written, nullptr) && written == length;
}

bool writeFile(HANDLE file, const QByteArray& bytes)
{
    const auto length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    return WriteFile(file, bytes.constData(), length, &written, nullptr) && written == length;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode);
}

// A console starts a new line at '\n' by itself; a file or a pipe wants
// Windows' line ends.
bool writeStandardHandle(HANDLE handle, const QString& text)
{
    if (isConsole(handle))
        return writeConsole(handle, text);
    return writeFile(handle, QString(text).replace(QLatin1Char('\n'), QLatin1String("\r\n")).toLocal8Bit());
}

// The console of the command prompt the program was started from. Its
// prompt is already back on the screen, so the text starts on a line of its own.
bool writeParentConsole(const QString& text)
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return false;
    const bool written = writeConsole(console, QLatin1Char('\n') + text);
    CloseHandle(console);
    return written;
}

}  // namespace

// Windows gives a GUI program no descriptor that a display connection could take.
void reopenClosedStandardStreams() {}

bool printText(Stream stream, const QString& text)
{
    const HANDLE handle = GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    bool shown = false;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        shown = writeStandardHandle(handle, text);
    } else if (writeParentConsole(text)) {
        shown = true;
    } else {
        // Started from the desktop: nobody would see a stream.
        const UINT icon = stream == Stream::Output ? MB_ICONINFORMATION : MB_ICONWARNING;
        const QString title = QString::fromUtf8(words().windows.messageBoxTitle);
        shown = MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.trimmed().utf16()),
                            reinterpret_cast<const wchar_t*>(title.utf16()), MB_OK | icon) != 0;
    }
    if (!shown)
        errno = EIO;  // Windows says why in its own terms, which the caller's message does not take
    return shown;
}

std::string describeDisplayFailure(const DisplayRequest& request)
{
    if (request.platform.empty())
        return words().windows.noWindow;
    return QString::fromUtf8(words().windows.noWindowOnPlatform)
        .arg(QString::fromStdString(request.platform))
        .toStdString();
}

QString describeMissingFonts(MissingFonts missing)
{
    return QString::fromUtf8(missing == MissingFonts::Arial ? words().windows.arialMissing : words().windows.noFonts);
}

QString describeCredits() { return QString::fromUtf8(words().windows.credits); }

// The system keeps the fonts; there is no configuration to load first.
void loadFontConfiguration() {}

std::string describeMissingPlatform(const std::string& plugin)
{
    return QString::fromUtf8(words().windows.platformMissing).arg(QString::fromStdString(plugin)).toStdString();
}

}  // namespace koppelo::app
