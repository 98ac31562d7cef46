// Asks a program for its UI Automation root as a screen reader does first:
// WM_GETOBJECT with UiaRootObjectId to every visible top-level window of the
// process that owns the window titled as the argument ("Koppelo" without
// one). Qt starts its accessibility at the first such request and hands each
// window's root to uiautomationcore.dll, whose stand-in records the tree.
// Prints each window's title; fails if no window had that title.
#include <windows.h>

#include <cstdio>

#include "text.h"

namespace {

struct Poked {
    DWORD process;
    int count;
};

BOOL CALLBACK poke(HWND window, LPARAM to)
{
    auto& poked = *reinterpret_cast<Poked*>(to);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != poked.process || !IsWindowVisible(window))
        return TRUE;
    constexpr LPARAM kRootObjectId = -25;
    DWORD_PTR answer;
    SendMessageTimeoutW(window, WM_GETOBJECT, 0, kRootObjectId, SMTO_ABORTIFHUNG, 10000, &answer);
    std::printf("%s\n", uia::title(window).c_str());
    ++poked.count;
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const HWND window = FindWindowW(nullptr, argc > 1 ? argv[1] : L"Koppelo");
    Poked poked{0, 0};
    if (window && GetWindowThreadProcessId(window, &poked.process))
        EnumWindows(poke, reinterpret_cast<LPARAM>(&poked));
    std::fflush(stdout);
    return poked.count ? 0 : 1;
}
