#include "font_scan.h"

#include <QFontDatabase>

namespace koppelo::app {

// The font database guards itself: the window's first measure of a text
// waits for the scan rather than making one of its own.
FontScan::FontScan() : thread_(QThread::create([] { QFontDatabase::families(); }))
{
    thread_->start();
}

FontScan::~FontScan() { thread_->wait(); }

}  // namespace koppelo::app
