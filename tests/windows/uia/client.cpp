// A screen reader's part, as a UI Automation client in a process of its own:
// it waits for the top window titled "Koppelo", prints its element tree, asks
// for focus events and prints one line for each; every line read from stdin
// prints the tree of the game's topmost visible window, the main window's or
// a dialog's. It ends at EOF or once the main window is gone. It prints, in
// UTF-8, a tree as "window TAB title", one "depth TAB control type TAB name"
// per element and "done"; "listening" once it hears focus events; and
// "focus TAB control type TAB name".
#include <windows.h>
#include <ole2.h>
#include <uiautomation.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "kit.h"

namespace {

constexpr int kMaxDepth = 30;  // a navigation that goes round in circles must still end
constexpr DWORD kPatienceMs = 120000;

CRITICAL_SECTION output;  // focus events come on the automation's threads: no line, no tree cut in two
HANDLE lines;             // released for each line read from stdin, and once more at its end
volatile LONG ended = 0;

void must(HRESULT result, const char* what)
{
    if (SUCCEEDED(result))
        return;
    std::fprintf(stderr, "client.exe: %s failed: 0x%08lx\n", what, static_cast<unsigned long>(result));
    std::fflush(stderr);
    ExitProcess(2);
}

void say(const std::string& line)
{
    EnterCriticalSection(&output);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    LeaveCriticalSection(&output);
}

// "control type TAB name", with a number for a type past the table and "?" for a name it cannot get.
std::string described(IUIAutomationElement* element)
{
    CONTROLTYPEID type = 0;
    element->get_CurrentControlType(&type);
    const auto index = static_cast<std::size_t>(type - UIA_ButtonControlTypeId);
    std::string text = index < std::size(uia::kControlTypes) ? uia::kControlTypes[index] : std::to_string(type);
    BSTR name = nullptr;
    if (FAILED(element->get_CurrentName(&name)))
        return text + "\t?";
    text += "\t" + uia::utf8(name);
    SysFreeString(name);
    return text;
}

void walk(IUIAutomationTreeWalker* walker, IUIAutomationElement* element, int depth)
{
    std::printf("%d\t%s\n", depth, described(element).c_str());
    IUIAutomationElement* child = nullptr;
    if (depth < kMaxDepth)
        walker->GetFirstChildElement(element, &child);
    while (child) {
        walk(walker, child, depth + 1);
        IUIAutomationElement* next = nullptr;
        walker->GetNextSiblingElement(child, &next);
        child->Release();
        child = next;
    }
}

// The topmost visible window of the game's process: windows are listed from the top down.
HWND topmostOf(HWND game)
{
    HWND topmost = game;
    uia::eachWindowBeside(game, [&](HWND window) {
        topmost = window;
        return false;
    });
    return topmost;
}

void printTree(IUIAutomation* automation, IUIAutomationTreeWalker* walker, HWND window)
{
    EnterCriticalSection(&output);
    std::printf("window\t%s\n", uia::title(window).c_str());
    IUIAutomationElement* element = nullptr;
    if (SUCCEEDED(automation->ElementFromHandle(window, &element)) && element) {
        walk(walker, element, 0);
        element->Release();
    }
    std::printf("done\n");
    std::fflush(stdout);
    LeaveCriticalSection(&output);
}

class FocusHandler : public IUIAutomationFocusChangedEventHandler {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        const bool mine = id == __uuidof(IUnknown) || id == __uuidof(IUIAutomationFocusChangedEventHandler);
        *object = mine ? static_cast<IUIAutomationFocusChangedEventHandler*>(this) : nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // It lives as long as main, which outlives every reference the automation takes.
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&references_); }

    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement* sender) override
    {
        say("focus\t" + (sender ? described(sender) : std::string("?\t?")));
        return S_OK;
    }

private:
    LONG references_ = 1;
};

DWORD WINAPI readInput(void*)
{
    char line[256];
    while (std::fgets(line, sizeof line, stdin))
        ReleaseSemaphore(lines, 1, nullptr);
    InterlockedExchange(&ended, 1);
    ReleaseSemaphore(lines, 1, nullptr);
    return 0;
}

HWND waitForGame()
{
    for (DWORD waited = 0; waited < kPatienceMs; waited += 100) {
        const HWND window = FindWindowW(nullptr, L"Koppelo");
        if (window && IsWindowVisible(window))
            return window;
        Sleep(100);
    }
    std::fprintf(stderr, "client.exe: no visible window titled Koppelo in %lu s\n", kPatienceMs / 1000);
    ExitProcess(3);
}

}  // namespace

int main()
{
    InitializeCriticalSection(&output);
    // Multithreaded, so that the automation calls the handler on its own threads without a message loop here.
    must(CoInitializeEx(nullptr, COINIT_MULTITHREADED), "CoInitializeEx");
    IUIAutomation* automation = nullptr;
    IUIAutomationCondition* everything = nullptr;
    IUIAutomationTreeWalker* walker = nullptr;
    must(CoCreateInstance(__uuidof(CUIAutomation), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUIAutomation),
                          reinterpret_cast<void**>(&automation)),
         "CoCreateInstance(CUIAutomation)");
    must(automation->CreateTrueCondition(&everything), "CreateTrueCondition");
    must(automation->CreateTreeWalker(everything, &walker), "CreateTreeWalker");

    const HWND game = waitForGame();
    printTree(automation, walker, game);
    FocusHandler handler;
    must(automation->AddFocusChangedEventHandler(nullptr, &handler), "AddFocusChangedEventHandler");
    say("listening");

    lines = CreateSemaphoreW(nullptr, 0, 1 << 20, nullptr);
    CreateThread(nullptr, 0, readInput, nullptr, 0, nullptr);
    while (IsWindow(game)) {
        if (WaitForSingleObject(lines, 200) != WAIT_OBJECT_0)
            continue;
        if (ended)
            break;
        printTree(automation, walker, topmostOf(game));
    }
    automation->RemoveFocusChangedEventHandler(&handler);
    std::fflush(stdout);
    ExitProcess(0);  // the reader thread may still wait in fgets
}
