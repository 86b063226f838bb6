// The system's WebBrowser control inside our own window, with our own small
// OLE container around it (BrowserSite.h tells which objects talk to the
// control, and who holds whom).

#include "win32/browser/EmbeddedBrowser.h"

#include <exdisp.h>
#include <ocidl.h>

#include "win32/WideText.h"
#include "win32/browser/BrowserSite.h"
#include "win32/raii/Bstr.h"
#include "win32/raii/OleOnDemand.h"

namespace velora::win32 {

EmbeddedBrowser::EmbeddedBrowser(HWND host, NewWindowHandler newWindow)
    : host_(host), site_(BrowserSite::Create(host)), events_(BrowserEvents::Create(std::move(newWindow))) {
    OleOnDemand::Ensure();
    object_ = CreateInProcessObject<IOleObject>(__uuidof(WebBrowser));
    if (!object_) {
        Close();
        return;
    }
    RECT area{};
    GetClientRect(host_, &area);
    if (FAILED(object_->SetClientSite(site_.Get())) ||
        FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, host_, &area)) ||
        !(inPlace_ = object_.As<IOleInPlaceObject>()) || !(browser_ = object_.As<IWebBrowser2>())) {
        Close();
        return;
    }
    site_->Attach(inPlace_.Get());
    // New windows are watched; a control without events simply opens them.
    if (const auto container = browser_.As<IConnectionPointContainer>()) {
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, eventPoint_.Receive())) &&
            eventPoint_ && FAILED(eventPoint_->Advise(events_.Get(), &eventCookie_)))
            eventPoint_.Reset();
    }
    // Script errors of a page are the page's business: no dialogs.
    browser_->put_Silent(VARIANT_TRUE);
}

EmbeddedBrowser::~EmbeddedBrowser() { Close(); }

void EmbeddedBrowser::Navigate(const std::string& url) {
    if (!browser_) return;
    const Bstr address = MakeBstr(Widen(url));
    if (!address) return;
    VARIANT flags{}, targetFrame{}, postData{}, headers{};  // all VT_EMPTY
    browser_->Navigate(address.Get(), &flags, &targetFrame, &postData, &headers);
}

std::string EmbeddedBrowser::LocationUrl() const {
    if (!browser_) return {};
    Bstr location;
    if (FAILED(browser_->get_LocationURL(location.Receive())) || !location) return {};
    return Narrow(BstrText(location));
}

bool EmbeddedBrowser::Busy() const {
    if (!browser_) return false;
    VARIANT_BOOL busy = VARIANT_FALSE;
    if (FAILED(browser_->get_Busy(&busy))) return false;
    return busy != VARIANT_FALSE;
}

HRESULT EmbeddedBrowser::SetOpticalZoom(int percent) {
    if (!browser_) return E_UNEXPECTED;
    VARIANT zoom{};
    zoom.vt = VT_I4;
    zoom.lVal = percent;
    return browser_->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom, nullptr);
}

IOleInPlaceActiveObject* EmbeddedBrowser::ActiveObject() {
    if (activeObject_ || !browser_) return activeObject_.Get();
    ComPtr<IDispatch> application;
    if (FAILED(browser_->get_Application(application.Receive())) || !application) return nullptr;
    activeObject_ = application.As<IOleInPlaceActiveObject>();
    return activeObject_.Get();
}

void EmbeddedBrowser::FitTo(const RECT& area) {
    if (inPlace_) inPlace_->SetObjectRects(&area, &area);
}

void EmbeddedBrowser::Focus() {
    if (!object_ || !browser_) return;
    RECT area{};
    GetClientRect(host_, &area);
    object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.Get(), 0, host_, &area);
}

// The order matters; BrowserSite.h says why.
void EmbeddedBrowser::Close() {
    if (eventPoint_) eventPoint_->Unadvise(eventCookie_);
    eventPoint_.Reset();
    events_.Reset();
    activeObject_.Reset();
    browser_.Reset();
    if (site_) site_->Detach();
    if (inPlace_) inPlace_->InPlaceDeactivate();
    inPlace_.Reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    object_.Reset();
    site_.Reset();
}

}  // namespace velora::win32
