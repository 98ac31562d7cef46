// News as UI Automation notifications raised by the program itself, queued
// behind what a screen reader is saying. Qt before 6.8 raises a notification
// only for a changed text value, and then as "most recent", which cuts off
// the turned card that was told just before. The library is the system's,
// loaded as the toolkit loads it: from the system folder, once a screen
// reader has asked for the window.
#include <QWidget>

#include <windows.h>
#include <ole2.h>
#include <uiautomationcore.h>

#include <atomic>
#include <optional>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/news_carrier.h"

namespace koppelo::runtime::qt {

namespace {

// From the Windows API; MinGW's headers lack the notifications (Windows 10,
// 1709), and their declarations of the functions compile only as C.
constexpr int kNotificationKindOther = 4;
constexpr int kNotificationProcessingAll = 2;
constexpr HRESULT kElementNotAvailable = static_cast<HRESULT>(0x80040201);

using RaiseNotification = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using ClientsAreListening = BOOL(WINAPI*)();

template <typename Function>
Function resolved(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

struct UiaCore {
    UiaCore()
    {
        HMODULE library = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (library == nullptr)
            return;
        raiseNotification = resolved<RaiseNotification>(library, "UiaRaiseNotificationEvent");
        hostProviderFromHwnd = resolved<HostProviderFromHwnd>(library, "UiaHostProviderFromHwnd");
        clientsAreListening = resolved<ClientsAreListening>(library, "UiaClientsAreListening");
    }

    bool ready() const { return raiseNotification && hostProviderFromHwnd && clientsAreListening; }

    RaiseNotification raiseNotification = nullptr;
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    ClientsAreListening clientsAreListening = nullptr;
};

// The window itself as UI Automation's element: all its properties come from
// the window's host provider, so the notification's source is the window.
class WindowProvider final : public IRawElementProviderSimple {
public:
    WindowProvider(UiaCore core, HWND window) : core_(core), window_(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (object == nullptr)
            return E_INVALIDARG;
        *object = nullptr;
        if (id != __uuidof(IUnknown) && id != __uuidof(IRawElementProviderSimple))
            return E_NOINTERFACE;
        *object = static_cast<IRawElementProviderSimple*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;  // COM's rule: the last reference, possibly UI Automation's, frees it
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override
    {
        if (options == nullptr)
            return E_INVALIDARG;
        *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override
    {
        if (pattern == nullptr)
            return E_INVALIDARG;
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override
    {
        if (value == nullptr)
            return E_INVALIDARG;
        value->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override
    {
        if (host == nullptr)
            return E_INVALIDARG;
        *host = nullptr;
        return IsWindow(window_) ? core_.hostProviderFromHwnd(window_, host) : kElementNotAvailable;
    }

private:
    UiaCore core_;
    HWND window_;
    std::atomic<ULONG> references_ = 1;
};

class NewsAsUiaNotifications final : public NewsCarrier {
public:
    explicit NewsAsUiaNotifications(AccessibleParts& parts) : parts_(parts) {}

    ~NewsAsUiaNotifications() override
    {
        if (provider_ != nullptr)
            provider_->Release();
    }

    void tell(const QString& news) override
    {
        if (!core_)
            core_.emplace();
        if (!core_->ready() || !core_->clientsAreListening())
            return;
        if (provider_ == nullptr)
            provider_ = new WindowProvider(*core_, reinterpret_cast<HWND>(parts_.surface().window()->winId()));
        BSTR text = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(news.utf16()), static_cast<UINT>(news.size()));
        BSTR activity = SysAllocString(L"");
        core_->raiseNotification(provider_, kNotificationKindOther, kNotificationProcessingAll, text, activity);
        SysFreeString(activity);
        SysFreeString(text);
    }

private:
    AccessibleParts& parts_;
    std::optional<UiaCore> core_;  // loaded at the first news, which comes only once a screen reader asked
    WindowProvider* provider_ = nullptr;
};

}  // namespace

std::unique_ptr<NewsCarrier> makeNewsCarrier(AccessibleParts& parts)
{
    return std::make_unique<NewsAsUiaNotifications>(parts);
}

}  // namespace koppelo::runtime::qt
