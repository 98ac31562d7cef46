// Asks a program for its UI Automation root as a screen reader does first:
// WM_GETOBJECT with UiaRootObjectId to every visible top-level window of the
// process that owns the window titled as the argument ("Koppelo" without
// one). Qt starts its accessibility at the first such request and hands each
// window's root to uiautomationcore.dll, whose stand-in records the tree.
// Prints each window's title; fails if no window had that title.
#include <windows.h>

#include <cstdio>

#include "kit.h"

int wmain(int argc, wchar_t** argv)
{
    constexpr LPARAM kRootObjectId = -25;
    int count = 0;
    uia::eachWindowBeside(FindWindowW(nullptr, argc > 1 ? argv[1] : L"Koppelo"), [&](HWND window) {
        DWORD_PTR answer;
        SendMessageTimeoutW(window, WM_GETOBJECT, 0, kRootObjectId, SMTO_ABORTIFHUNG, 10000, &answer);
        std::printf("%s\n", uia::title(window).c_str());
        ++count;
        return true;
    });
    std::fflush(stdout);
    return count ? 0 : 1;
}
