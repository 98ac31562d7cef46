#include "font_set_up.h"

#include <QFontDatabase>
#include <QStringList>

#include "app/platform.h"

namespace koppelo::app {

// The font database guards itself: the window's first measure of a text
// waits for the scan rather than making one of its own.
FontSetUp::FontSetUp()
    : thread_([scan = scan_.get_future()]() mutable {
          loadFontConfiguration();
          if (scan.get())
              QFontDatabase::families();
      })
{
}

FontSetUp::~FontSetUp()
{
    tell(false);
    finish();
}

void FontSetUp::tell(bool scan)
{
    if (!told_) {
        told_ = true;
        scan_.set_value(scan);
    }
}

void FontSetUp::finish()
{
    if (thread_.joinable())
        thread_.join();
}

FontSetUp::Scan::Scan(FontSetUp& setUp) : setUp_(setUp) { setUp_.tell(true); }

FontSetUp::Scan::~Scan() { setUp_.finish(); }

}  // namespace koppelo::app
