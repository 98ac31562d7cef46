// The toolkit's own texts in Dutch, such as the message box's buttons. They
// are loaded when the first window that shows them opens, not at start: the
// main window shows none of them.
#pragma once

namespace koppelo::runtime::qt {

// Installs the Dutch translation of the toolkit's texts into the application
// once; later calls do nothing. Without the translation the toolkit's
// English texts remain.
void useDutchToolkitTexts();

}  // namespace koppelo::runtime::qt
