// Watches a program start on the X display: from exec until its title band's
// colour (RRGGBB, as window_geometry.json gives it) shows in the screen's
// middle column, that is until its window has been painted, not merely
// mapped. Prints the milliseconds, the program's resident memory just after
// and the processor time it took until then.
// Usage: koppelo-startup-probe RRGGBB PROGRAM
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr unsigned long kRgbMask = 0xFFFFFF;
constexpr int kHexadecimal = 16;
constexpr auto kPollPause = std::chrono::microseconds(250);
constexpr auto kGiveUp = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::milliseconds(100);
[[noreturn]] void fail(const std::string& why)
{
    throw std::runtime_error(why);
}

template <typename Done>
void waitFor(Done done, const char* what)
{
    const auto deadline = SteadyClock::now() + kGiveUp;
    while (!done()) {
        if (SteadyClock::now() > deadline)
            fail(std::string("timed out waiting for ") + what);
        std::this_thread::sleep_for(kPollPause);
    }
}

class Child {
public:
    explicit Child(const char* program) : pid_(fork())
    {
        if (pid_ < 0)
            fail("cannot fork");
        if (pid_ == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            execl(program, program, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child()
    {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

    void checkRunning() const
    {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_)
            fail("the program ended before showing its window");
    }

    // Processor time of all its threads so far, those that have ended too:
    // less at the mercy of other work on the machine than the wall clock,
    // though not free of it.
    double cpuMilliseconds() const
    {
        clockid_t clock = 0;
        timespec used{};
        if (clock_getcpuclockid(pid_, &clock) != 0 || clock_gettime(clock, &used) != 0)
            fail("cannot read the program's processor time");
        return static_cast<double>(used.tv_sec) * 1e3 + static_cast<double>(used.tv_nsec) / 1e6;
    }

    long residentKb() const
    {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmRSS:", 0) == 0)
                return std::stol(line.substr(std::strlen("VmRSS:")));
        }
        fail("no VmRSS");
    }

private:
    pid_t pid_;
};

class Screen {
public:
    explicit Screen(unsigned long band) : display_(XOpenDisplay(nullptr)), band_(band)
    {
        if (display_ == nullptr)
            fail("cannot open the display");
        root_ = DefaultRootWindow(display_);
        width_ = DisplayWidth(display_, DefaultScreen(display_));
        height_ = DisplayHeight(display_, DefaultScreen(display_));
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XSync(display_, False);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;
    ~Screen() { XCloseDisplay(display_); }

    // Whether a top-level window has been mapped since the last call. Until
    // then there is nothing to read, and reading would only keep the X server
    // from serving the program that starts.
    bool windowMapped() const
    {
        bool mapped = false;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            mapped = mapped || event.type == MapNotify;
        }
        return mapped;
    }

    // Both the game and the floor are centred and span the middle column
    // with their band.
    bool bandShows() const
    {
        const auto column = pixels(width_ / 2, 0, 1, height_);
        for (const unsigned long pixel : column) {
            if (pixel == band_)
                return true;
        }
        return false;
    }

private:
    std::vector<unsigned long> pixels(int x, int y, int width, int height) const
    {
        XImage* image = XGetImage(display_, root_, x, y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (image == nullptr)
            fail("cannot read the screen");
        std::vector<unsigned long> result;
        result.reserve(static_cast<std::size_t>(width * height));
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column)
                result.push_back(XGetPixel(image, column, row) & kRgbMask);
        }
        XDestroyImage(image);
        return result;
    }

    Display* display_;
    unsigned long band_;
    Window root_ = 0;
    int width_ = 0;
    int height_ = 0;
};

double millisecondsSince(SteadyClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

int run(const char* band, const char* program)
{
    const Screen screen(std::stoul(band, nullptr, kHexadecimal));
    const auto start = SteadyClock::now();
    const Child child(program);
    waitFor([&] { child.checkRunning(); return screen.windowMapped(); }, "the mapped window");
    waitFor([&] { return screen.bandShows(); }, "the painted window");
    const double painted = millisecondsSince(start);
    const double cpu = child.cpuMilliseconds();
    std::this_thread::sleep_for(kSettle);
    std::printf("%.2f %ld %.2f\n", painted, child.residentKb(), cpu);
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: koppelo-startup-probe RRGGBB PROGRAM\n");
        return 2;
    }
    try {
        return run(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "koppelo-startup-probe: %s\n", error.what());
        return 1;
    }
}
