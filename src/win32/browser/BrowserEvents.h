#pragma once
// The event sink of the embedded browser (DWebBrowserEvents2), an object of
// its own beside the site (BrowserSite.h says why). It listens for one
// event: a page that asks for a new window (a link with a target, a script's
// window.open) gets none; the address goes to the handler instead, which
// hands it to the system's browser. Every other event is left alone.

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>

#include "win32/raii/ComObject.h"
#include "win32/raii/ComPtr.h"

namespace velora::win32 {

// Receives the address of the page a new window would have shown.
using NewWindowHandler = std::function<void(const std::string& url)>;

class BrowserEvents final : public ComObject<IDispatch> {
public:
    static ComPtr<BrowserEvents> Create(NewWindowHandler handler);

    // IUnknown: IDispatch, also as the event interface the control asks for.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    // NewWindow3 (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl, in
    // reverse order in the arguments): Cancel is set and bstrUrl handed on.
    // Arguments of other types than the event's are ignored.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

private:
    explicit BrowserEvents(NewWindowHandler handler) : handler_(std::move(handler)) {}
    ~BrowserEvents() override = default;

    NewWindowHandler handler_;
};

}  // namespace velora::win32
