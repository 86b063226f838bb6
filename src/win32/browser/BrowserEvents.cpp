#include "win32/browser/BrowserEvents.h"

#include <exdisp.h>
#include <exdispid.h>

#include <exception>

#include "win32/ErrorDisplay.h"
#include "win32/WideText.h"
#include "win32/raii/InterfaceTable.h"

namespace velora::win32 {

ComPtr<BrowserEvents> BrowserEvents::Create(NewWindowHandler handler) {
    return ComPtr<BrowserEvents>::Adopt(new BrowserEvents(std::move(handler)));
}

HRESULT STDMETHODCALLTYPE BrowserEvents::QueryInterface(REFIID iid, void** object) {
    const InterfaceEntry table[] = {
        Implements<IDispatch>(this),
        Implements<IDispatch>(this, DIID_DWebBrowserEvents2),
    };
    return QueryInterfaceByTable(this, table, iid, object);
}

HRESULT STDMETHODCALLTYPE BrowserEvents::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                                EXCEPINFO*, UINT*) {
    if (member != DISPID_NEWWINDOW3) return S_OK;
    if (!parameters || parameters->cArgs != 5 || !parameters->rgvarg) return S_OK;
    VARIANT* arguments = parameters->rgvarg;
    VARIANT& cancel = arguments[3];
    VARIANT& url = arguments[0];
    if (cancel.vt != (VT_BYREF | VT_BOOL) || !cancel.pboolVal || url.vt != VT_BSTR) return S_OK;
    *cancel.pboolVal = VARIANT_TRUE;
    if (!url.bstrVal || SysStringLen(url.bstrVal) == 0) return S_OK;
    try {
        if (handler_) handler_(Narrow(std::wstring(url.bstrVal, SysStringLen(url.bstrVal))));
    } catch (...) {
        // Never through the control's frames.
        ShowException(std::current_exception());
    }
    return S_OK;
}

}  // namespace velora::win32
