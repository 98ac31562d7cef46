// The toolkit's own texts in Dutch, such as the message box's buttons, built
// into the program. They are put in place when the first window that shows
// them opens, not at start: the main window shows none of them.
#pragma once

namespace koppelo::runtime::qt {

// Installs the Dutch texts into the application once; later calls do nothing.
void useDutchToolkitTexts();

}  // namespace koppelo::runtime::qt
