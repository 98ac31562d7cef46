// What the client, the stand-in and the poke share: UTF-8 lines, control types by name, the game's windows.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace uia {

// From UIA_ButtonControlTypeId, 50000, on.
inline const char* const kControlTypes[] = {
    "Button", "Calendar", "CheckBox", "ComboBox", "Edit", "Hyperlink", "Image", "ListItem", "List", "Menu",
    "MenuBar", "MenuItem", "ProgressBar", "RadioButton", "ScrollBar", "Slider", "Spinner", "StatusBar", "Tab",
    "TabItem", "Text", "ToolBar", "ToolTip", "Tree", "TreeItem", "Custom", "Group", "Thumb", "DataGrid",
    "DataItem", "Document", "SplitButton", "Window", "Pane", "Header", "HeaderItem", "Table", "TitleBar",
    "Separator", "SemanticZoom", "AppBar"};

// UTF-8, with the lines' separators (tabs, line ends) made spaces: one element, one line.
inline std::string utf8(const wchar_t* text, int length)
{
    if (!text || length <= 0)
        return {};
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

inline std::string utf8(BSTR text) { return utf8(text, static_cast<int>(SysStringLen(text))); }

inline std::string title(HWND window)
{
    wchar_t text[256];
    return utf8(text, GetWindowTextW(window, text, 256));
}

// Each visible top-level window of the process that owns window, from the top down, until visit returns false.
template <typename Visit>
void eachWindowBeside(HWND window, Visit visit)
{
    struct Walk {
        DWORD process;
        Visit& visit;
    } walk{0, visit};
    if (!window || !GetWindowThreadProcessId(window, &walk.process))
        return;
    EnumWindows(
        [](HWND each, LPARAM in) -> BOOL {
            auto& walk = *reinterpret_cast<Walk*>(in);
            DWORD process = 0;
            GetWindowThreadProcessId(each, &process);
            return process != walk.process || !IsWindowVisible(each) || walk.visit(each);
        },
        reinterpret_cast<LPARAM>(&walk));
}

}  // namespace uia
