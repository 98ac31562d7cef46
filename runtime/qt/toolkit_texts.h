// The toolkit's own texts in the chosen language, such as the message box's
// buttons, built into the program. They are put in place when the first
// window that shows them opens, not at start: the main window shows none.
#pragma once

namespace koppelo::runtime::qt {

// Installs the texts into the application once; later calls do nothing.
void useToolkitTexts();

}  // namespace koppelo::runtime::qt
