// A stand-in uiautomationcore.dll for tests under Wine: it takes the place of
// Windows' UI Automation core, which Qt and the game load from the system
// folder, and instead of serving screen readers writes every call it gets as
// one UTF-8 line, tab-separated, to the file that KOPPELO_UIA_RECORD names
// (C:\koppelo-uia.log without it): the tree under each root provider it is
// handed, each event with its element's control type and name, each
// notification with its processing. Built by tests/windows/uia_judge.py.
#include <windows.h>
#include <oleauto.h>
#include <uiautomationcore.h>

#include <string>

#include "kit.h"

namespace {

using uia::utf8;

constexpr PROPERTYID kControlType = 30003, kName = 30005;
constexpr LPARAM kRootObjectId = -25;
constexpr int kDeepest = 32, kMostElements = 5000;  // bounds on a walk through a tree that may loop

const char* const kEvents[] = {
    "tooltip-opened", "tooltip-closed", "structure-changed", "menu-opened", "property-changed", "focus",
    "content-loaded", "menu-closed", "layout-invalidated", "invoked", "selection-added", "selection-removed",
    "selected", "selection-invalidated", "text-selection-changed", "text-changed", "window-opened",
    "window-closed", "menu-mode-start", "menu-mode-end"};
// The enumerations' values in order; newer ones than MinGW 10's headers know.
const char* const kKinds[] = {"ItemAdded", "ItemRemoved", "ActionCompleted", "ActionAborted", "Other"};
const char* const kProcessings[] = {"ImportantAll", "ImportantMostRecent", "All", "MostRecent",
                                    "CurrentThenMostRecent"};

template <std::size_t N>
std::string named(const char* const (&names)[N], long index, long first = 0)
{
    return index >= first && index - first < static_cast<long>(N) ? names[index - first] : std::to_string(index);
}

// The record, opened once, each line written whole at once so that a reader
// never waits for a buffer, and lines from two threads never mix.
void record(std::string line)
{
    static HANDLE file = [] {
        wchar_t path[MAX_PATH];
        if (!GetEnvironmentVariableW(L"KOPPELO_UIA_RECORD", path, MAX_PATH))
            lstrcpyW(path, L"C:\\koppelo-uia.log");
        return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    line += '\n';
    DWORD written;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// A property's value: a text as it is, a number in digits, anything else as nothing.
std::string shown(const VARIANT& value)
{
    return value.vt == VT_BSTR ? utf8(value.bstrVal) : value.vt == VT_I4 ? std::to_string(value.lVal) : std::string();
}

std::string property(IRawElementProviderSimple* element, PROPERTYID id)
{
    VARIANT value;
    VariantInit(&value);
    std::string text;
    if (element && SUCCEEDED(element->GetPropertyValue(id, &value)))
        text = id == kControlType && value.vt == VT_I4 ? named(uia::kControlTypes, value.lVal, 50000) : shown(value);
    VariantClear(&value);
    return text;
}

// An element as "control type<TAB>name".
std::string element(IRawElementProviderSimple* element)
{
    return property(element, kControlType) + '\t' + property(element, kName);
}

// The element's runtime id, as a client tells one element from another: a
// screen reader drops a focus event on the element it already has.
std::string identity(IRawElementProviderSimple* element)
{
    IRawElementProviderFragment* fragment = nullptr;
    SAFEARRAY* id = nullptr;
    std::string text;
    if (element && SUCCEEDED(element->QueryInterface(__uuidof(IRawElementProviderFragment),
                                                     reinterpret_cast<void**>(&fragment))) && fragment) {
        if (SUCCEEDED(fragment->GetRuntimeId(&id)) && id) {
            LONG low = 0, high = -1;
            SafeArrayGetLBound(id, 1, &low);
            SafeArrayGetUBound(id, 1, &high);
            for (LONG i = low; i <= high; ++i) {
                int part = 0;
                SafeArrayGetElement(id, &i, &part);
                text += (i == low ? "" : ".") + std::to_string(part);
            }
            SafeArrayDestroy(id);
        }
        fragment->Release();
    }
    return text;
}

void walk(IRawElementProviderSimple* node, int depth, int& budget)
{
    record("tree\t" + std::to_string(depth) + '\t' + element(node));
    IRawElementProviderFragment* fragment = nullptr;
    if (depth >= kDeepest || FAILED(node->QueryInterface(__uuidof(IRawElementProviderFragment),
                                                         reinterpret_cast<void**>(&fragment))) || !fragment)
        return;
    IRawElementProviderFragment* child = nullptr;
    fragment->Navigate(NavigateDirection_FirstChild, &child);
    fragment->Release();
    while (child && --budget > 0) {
        IRawElementProviderSimple* simple = nullptr;
        if (SUCCEEDED(child->QueryInterface(__uuidof(IRawElementProviderSimple), reinterpret_cast<void**>(&simple)))
            && simple) {
            walk(simple, depth + 1, budget);
            simple->Release();
        }
        IRawElementProviderFragment* next = nullptr;
        child->Navigate(NavigateDirection_NextSibling, &next);
        child->Release();
        child = next;
    }
    if (child)
        child->Release();
}

// What UiaHostProviderFromHwnd hands out: an element with no properties.
struct Host final : IRawElementProviderSimple {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override
    {
        return options ? (*options = ProviderOptions_ServerSideProvider, S_OK) : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override
    {
        return pattern ? (*pattern = nullptr, S_OK) : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override
    {
        return value ? (VariantInit(value), S_OK) : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override
    {
        return host ? (*host = nullptr, S_OK) : E_POINTER;
    }
} host;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t program[MAX_PATH];
        record("load\t" + utf8(program, static_cast<int>(GetModuleFileNameW(nullptr, program, MAX_PATH))));
    }
    return TRUE;
}

// Not recorded: Qt asks before every event it would raise.
__declspec(dllexport) BOOL WINAPI UiaClientsAreListening()
{
    return TRUE;
}

__declspec(dllexport) LRESULT WINAPI UiaReturnRawElementProvider(HWND window, WPARAM, LPARAM object,
                                                                  IRawElementProviderSimple* root)
{
    record("request\t" + std::to_string(object) + '\t' + uia::title(window));
    int budget = kMostElements;
    if (object == kRootObjectId && root)
        walk(root, 0, budget);
    return 0;
}

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND window, IRawElementProviderSimple** provider)
{
    record("host\t" + uia::title(window));
    if (!provider)
        return E_INVALIDARG;
    *provider = &host;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(IRawElementProviderSimple* provider, EVENTID id)
{
    record(named(kEvents, id, 20000) + '\t' + element(provider) + '\t' + identity(provider));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationPropertyChangedEvent(IRawElementProviderSimple* provider,
                                                                             PROPERTYID id, VARIANT, VARIANT now)
{
    record("property\t" + std::to_string(id) + '\t' + element(provider) + '\t' + shown(now));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseNotificationEvent(IRawElementProviderSimple* provider,
                                                                int kind, int processing, BSTR text, BSTR)
{
    record("notification\t" + named(kProcessings, processing) + '\t' + utf8(text) + '\t' +
           property(provider, kName) + '\t' + named(kKinds, kind));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseStructureChangedEvent(IRawElementProviderSimple* provider,
                                                                    int change, int*, int)
{
    record("structure\t" + std::to_string(change) + '\t' + element(provider));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaDisconnectProvider(IRawElementProviderSimple* provider)
{
    record("disconnect\t" + element(provider));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaDisconnectAllProviders()
{
    record("disconnect-all");
    return S_OK;
}

}  // extern "C"
