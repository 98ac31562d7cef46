// The fonts' set-up, some two fifths of the start-up's work, done on a thread
// of its own beside the rest: the system's font configuration is loaded from
// the program's first line, while the toolkit connects to the display, and
// the toolkit's scan of the fonts follows once the application object exists,
// while the window is built. The window waits only where it first measures a
// text. One thread for both keeps their memory in one heap.
#pragma once

#include <future>
#include <thread>

namespace koppelo::app {

class FontSetUp {
public:
    FontSetUp();   // loads the configuration at once
    ~FontSetUp();  // waits for the thread; a scan not begun never begins
    FontSetUp(const FontSetUp&) = delete;
    FontSetUp& operator=(const FontSetUp&) = delete;

    // The scan, from when the application object exists until just before it
    // ends: both ends mark the object's life.
    class Scan {
    public:
        explicit Scan(FontSetUp& setUp);
        ~Scan();
        Scan(const Scan&) = delete;
        Scan& operator=(const Scan&) = delete;

    private:
        FontSetUp& setUp_;
    };

private:
    void tell(bool scan);
    void finish();

    bool told_ = false;
    std::promise<bool> scan_;
    std::thread thread_;
};

}  // namespace koppelo::app
