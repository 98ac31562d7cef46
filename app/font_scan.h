// The toolkit's scan of the installed fonts, some two fifths of the start-up's
// work, begun on a thread of its own as soon as the application object exists:
// the window is built meanwhile and waits only where it first measures a text.
#pragma once

#include <QThread>

#include <memory>

namespace koppelo::app {

class FontScan {
public:
    FontScan();   // needs the application object
    ~FontScan();  // waits for the scan to end
    FontScan(const FontScan&) = delete;
    FontScan& operator=(const FontScan&) = delete;

private:
    std::unique_ptr<QThread> thread_;
};

}  // namespace koppelo::app
