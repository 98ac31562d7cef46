// Watches a program start on the X display: from exec until its title band's
// colour shows in the screen's middle column, that is until its window has
// been painted, not merely mapped. Prints the milliseconds, the program's
// resident memory just after and the processor time it took until then.
// With "game" it goes on to play a whole game of Koppelo through the X test
// extension, reading every turned face off the screen, and prints the memory
// after start-up and after the last pair.
// Usage: koppelo-startup-probe time|game PROGRAM
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr unsigned long kBand = 0x5691E9;  // RGB(86, 145, 233)
constexpr unsigned long kRgbMask = 0xFFFFFF;
constexpr auto kPollPause = std::chrono::microseconds(250);
constexpr auto kGiveUp = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::milliseconds(100);

// The game's client area at 96 dpi: the 6 x 6 grid of 80-pixel slots whose
// drawing area lies inside a two-pixel border.
constexpr int kClientHeight = 583;
constexpr int kColumns = 6;
constexpr int kSlots = 36;
constexpr int kPairs = kSlots / 2;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 56;
constexpr int kPitch = 88;
constexpr int kSlotSize = 80;
constexpr int kBorder = 2;
constexpr char kGameTitle[] = "Koppelo";
constexpr char kQuestionTitle[] = "Gefeliciteerd!";

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

    // Processor time of all its threads so far: less at the mercy of other
    // work on the machine than the wall clock, though not free of it.
    double cpuMilliseconds() const
    {
        const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
        double nanoseconds = 0;
        for (const auto& task : std::filesystem::directory_iterator(tasks)) {
            std::ifstream schedstat(task.path() / "schedstat");
            double onCpu = 0;
            if (schedstat >> onCpu)
                nanoseconds += onCpu;
        }
        return nanoseconds / 1e6;
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
    Screen() : display_(XOpenDisplay(nullptr))
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
            if (pixel == kBand)
                return true;
        }
        return false;
    }

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

    // The top-level window of that title, as x, y, width, height.
    std::optional<XWindowAttributes> window(const std::string& title) const
    {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display_, root_, &rootReturn, &parent, &children, &count) == 0)
            return std::nullopt;
        std::optional<XWindowAttributes> found;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display_, children[i], &attributes) != 0 &&
                attributes.map_state == IsViewable && nameOf(children[i]) == title)
                found = attributes;
        }
        XFree(children);
        return found;
    }

    void click(int x, int y) const
    {
        XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
        XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
        XSync(display_, False);
    }

private:
    std::string nameOf(Window window) const
    {
        Atom type = 0;
        int format = 0;
        unsigned long length = 0, after = 0;
        unsigned char* data = nullptr;
        std::string name;
        if (XGetWindowProperty(display_, window, XA_WM_NAME, 0, 256, False, AnyPropertyType, &type, &format,
                               &length, &after, &data) == Success && data != nullptr) {
            name.assign(reinterpret_cast<const char*>(data), length);
            XFree(data);
        }
        return name;
    }

    Display* display_;
    Window root_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// Plays by memory: every face seen is remembered by its pixels, and a pair
// is taken as soon as both its places are known.
class Player {
public:
    Player(const Screen& screen, const XWindowAttributes& window)
        : screen_(screen), left_(window.x), top_(window.y + window.height - kClientHeight)
    {
    }

    void playWholeGame()
    {
        while (pairsFound_ < kPairs) {
            if (const auto pair = knownPair())
                takePair(pair->first, pair->second);
            else
                exploreTurn();
        }
    }

private:
    using Face = std::size_t;

    void exploreTurn()
    {
        const int first = nextUnseen();
        const Face face = turn(first);
        if (const auto partner = seenElsewhere(face, first)) {
            completePair(first, *partner);
            return;
        }
        const int second = nextUnseen();
        if (turn(second) == face)
            found(first, second);
        else
            faceUp_ = second;
    }

    std::optional<std::pair<int, int>> knownPair() const
    {
        for (const auto& [face, places] : seen_) {
            if (places.size() == 2 && !done_[static_cast<std::size_t>(places[0])]) {
                // The card left face up by the last turn ignores a first click.
                if (places[0] == faceUp_)
                    return std::pair{places[1], places[0]};
                return std::pair{places[0], places[1]};
            }
        }
        return std::nullopt;
    }

    std::optional<int> seenElsewhere(Face face, int slot) const
    {
        const auto places = seen_.find(face);
        for (const int place : places->second) {
            if (place != slot)
                return place;
        }
        return std::nullopt;
    }

    int nextUnseen()
    {
        while (looked_[static_cast<std::size_t>(next_)])
            ++next_;
        return next_;
    }

    // Turns a face-down card and reads its face once it shows.
    Face turn(int slot)
    {
        looked_[static_cast<std::size_t>(slot)] = true;
        clickSlot(slot);
        std::vector<unsigned long> area;
        waitFor([&] { return showsFace(area = drawingArea(slot)); }, "a turned card");
        const Face face = std::hash<std::string>{}(
            std::string(reinterpret_cast<const char*>(area.data()), area.size() * sizeof(area[0])));
        seen_[face].push_back(slot);
        return face;
    }

    void takePair(int first, int second)
    {
        clickSlot(first);
        completePair(first, second);
    }

    // The first card is up; the second completes the pair.
    void completePair(int first, int second)
    {
        clickSlot(second);
        looked_[static_cast<std::size_t>(second)] = true;
        waitFor([&] { return showsFace(drawingArea(second)); }, "a found pair");
        found(first, second);
    }

    void found(int first, int second)
    {
        done_[static_cast<std::size_t>(first)] = done_[static_cast<std::size_t>(second)] = true;
        faceUp_ = -1;
        ++pairsFound_;
    }

    static bool showsFace(const std::vector<unsigned long>& area)
    {
        for (const unsigned long pixel : area) {
            if (pixel != area.front())
                return true;
        }
        return false;
    }

    void clickSlot(int slot) const
    {
        screen_.click(left_ + kGridLeft + kPitch * (slot % kColumns) + kSlotSize / 2,
                      top_ + kGridTop + kPitch * (slot / kColumns) + kSlotSize / 2);
    }

    std::vector<unsigned long> drawingArea(int slot) const
    {
        return screen_.pixels(left_ + kGridLeft + kPitch * (slot % kColumns) + kBorder,
                              top_ + kGridTop + kPitch * (slot / kColumns) + kBorder, kSlotSize - 2 * kBorder,
                              kSlotSize - 2 * kBorder);
    }

    const Screen& screen_;
    int left_;
    int top_;
    std::map<Face, std::vector<int>> seen_;
    std::array<bool, kSlots> looked_{};
    std::array<bool, kSlots> done_{};
    int next_ = 0;
    int faceUp_ = -1;
    int pairsFound_ = 0;
};

double millisecondsSince(SteadyClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

int run(const std::string& mode, const char* program)
{
    const Screen screen;
    const auto start = SteadyClock::now();
    const Child child(program);
    waitFor([&] { child.checkRunning(); return screen.windowMapped(); }, "the mapped window");
    waitFor([&] { return screen.bandShows(); }, "the painted window");
    const double painted = millisecondsSince(start);
    const double cpu = child.cpuMilliseconds();
    std::this_thread::sleep_for(kSettle);
    const long startedKb = child.residentKb();
    if (mode == "time") {
        std::printf("%.2f %ld %.2f\n", painted, startedKb, cpu);
        return 0;
    }
    const auto window = screen.window(kGameTitle);
    if (!window)
        fail("no window named Koppelo");
    Player(screen, *window).playWholeGame();
    waitFor([&] { return screen.window(kQuestionTitle).has_value(); }, "the end-of-game question");
    std::this_thread::sleep_for(kSettle);
    std::printf("%ld %ld\n", startedKb, child.residentKb());
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3 || (std::strcmp(argv[1], "time") != 0 && std::strcmp(argv[1], "game") != 0)) {
        std::fprintf(stderr, "usage: koppelo-startup-probe time|game PROGRAM\n");
        return 2;
    }
    try {
        return run(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "koppelo-startup-probe: %s\n", error.what());
        return 1;
    }
}
