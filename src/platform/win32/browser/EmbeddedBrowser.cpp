// The system's WebBrowser control inside our own window, with our own small
// OLE container around it.
//
// The control is an OLE object: it does not simply become a child window
// the way an edit field does, it asks whoever embeds it for a place to live
// and for the terms of its stay. We are that container, and these are the
// interfaces the control talks to, each for one reason:
//
// - IOleClientSite: the control's link to its container. It is handed over
//   with SetClientSite, and everything else the control wants of us it finds
//   by QueryInterface on it. Its own methods (saving, monikers, a container
//   object) have nothing to do in a program that stores no documents.
// - IOleInPlaceSite: lets the control activate in place, that is, show
//   itself as a child of our host window instead of a window of its own. It
//   asks for that window (GetWindow) and for the rectangles it is to fill
//   (GetWindowContext), and tells us when it activates and deactivates.
// - IOleInPlaceFrame, with IOleInPlaceUIWindow under it: the frame window
//   the control would share menus, toolbars, border space and a status line
//   with. The program has none of those to share, so its answers are mostly
//   polite refusals. It is an object of its own because its GetWindow names
//   the top-level window, while the site's names the host.
// - IDocHostUIHandler: the page's host asks here how to look; we ask for no
//   3-D border around the page and leave everything else, the context menu
//   and the accelerators among it, to the control's defaults.
// - IDispatch: the control reads the container's ambient properties through
//   it, before and after it loads a page. We answer "silent" (no script
//   error dialogs, the same as put_Silent) and the download flags; every
//   other property is unknown, which means the control's default.
//
// No event sink is advised: the program never watches a navigation.

#include "platform/win32/browser/EmbeddedBrowser.h"

#include <mshtmdid.h>
#include <mshtmhst.h>
#include <idispids.h>

#include "platform/win32/WideText.h"

namespace velora::win32 {

namespace {

// The frame: the top-level window the host sits in.
class BrowserFrame final : public IOleInPlaceFrame {
public:
    explicit BrowserFrame(HWND host) : host_(host) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IOleWindow)) ||
            IsEqualIID(iid, __uuidof(IOleInPlaceUIWindow)) || IsEqualIID(iid, __uuidof(IOleInPlaceFrame))) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = GetAncestor(host_, GA_ROOT);
        return *window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow: no toolbars of the control's own in our frame.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override {
        // No space at all is the one request we can grant.
        return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame: no menus to merge, no status line.
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~BrowserFrame() = default;

    HWND host_;
    // Everything runs on the user-interface thread: a plain counter does.
    ULONG references_ = 1;
};

}  // namespace

// The site: our host window, as the control sees it.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IDocHostUIHandler, public IDispatch {
public:
    explicit BrowserSite(HWND host) : host_(host), frame_(new BrowserFrame(host)) {}

    // The control is in place: changes of its position go to it from now on.
    void Attach(IOleInPlaceObject* inPlace) { inPlace_ = inPlace; }
    void Detach() { inPlace_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IOleClientSite))) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (IsEqualIID(iid, __uuidof(IOleWindow)) || IsEqualIID(iid, __uuidof(IOleInPlaceSite))) {
            *object = static_cast<IOleInPlaceSite*>(this);
        } else if (IsEqualIID(iid, __uuidof(IDocHostUIHandler))) {
            *object = static_cast<IDocHostUIHandler*>(this);
        } else if (IsEqualIID(iid, __uuidof(IDispatch))) {
            *object = static_cast<IDispatch*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite: nothing is stored, and there is no container object.
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, through IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = host_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite: in-place activation is always welcome, and the
    // control fills the host's client area.
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (!frame || !document || !position || !clip || !info) return E_POINTER;
        *frame = frame_;
        frame_->AddRef();
        // The frame is the only user-interface window: no document window.
        *document = nullptr;
        GetClientRect(host_, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(host_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override {
        if (!position) return E_POINTER;
        if (inPlace_) inPlace_->SetObjectRects(position, position);
        return S_OK;
    }

    // IDocHostUIHandler: the defaults, without a 3-D border.
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
        if (!info) return E_POINTER;
        info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override {
        if (key) *key = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** target) override {
        if (target) *target = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override {
        if (external) *external = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override {
        if (translated) *translated = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** filtered) override {
        if (filtered) *filtered = nullptr;
        return S_FALSE;
    }

    // IDispatch: the ambient properties, by number only.
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
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
        switch (member) {
            case DISPID_AMBIENT_SILENT:
                result->vt = VT_BOOL;
                result->boolVal = VARIANT_TRUE;
                return S_OK;
            case DISPID_AMBIENT_DLCONTROL:
                // What the control downloads by default, and silently.
                result->vt = VT_I4;
                result->lVal = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_SILENT;
                return S_OK;
            default:
                return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    ~BrowserSite() { frame_->Release(); }

    HWND host_;
    IOleInPlaceFrame* frame_;
    IOleInPlaceObject* inPlace_ = nullptr;  // held by EmbeddedBrowser
    ULONG references_ = 1;
};

EmbeddedBrowser::EmbeddedBrowser(HWND host) : host_(host), site_(new BrowserSite(host)) {
    if (FAILED(CoCreateInstance(__uuidof(WebBrowser), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IOleObject),
                                reinterpret_cast<void**>(&object_)))) {
        object_ = nullptr;
        Close();
        return;
    }
    RECT area{};
    GetClientRect(host_, &area);
    if (FAILED(object_->SetClientSite(site_)) ||
        FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, host_, &area)) ||
        FAILED(object_->QueryInterface(__uuidof(IOleInPlaceObject), reinterpret_cast<void**>(&inPlace_))) ||
        FAILED(object_->QueryInterface(__uuidof(IWebBrowser2), reinterpret_cast<void**>(&browser_)))) {
        Close();
        return;
    }
    site_->Attach(inPlace_);
    // Script errors of a page are the page's business: no dialogs.
    browser_->put_Silent(VARIANT_TRUE);
}

EmbeddedBrowser::~EmbeddedBrowser() { Close(); }

void EmbeddedBrowser::Navigate(const std::string& url) {
    if (!browser_) return;
    const std::wstring wide = Widen(url);
    BSTR address = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!address) return;
    VARIANT flags{}, targetFrame{}, postData{}, headers{};  // all VT_EMPTY
    browser_->Navigate(address, &flags, &targetFrame, &postData, &headers);
    SysFreeString(address);
}

std::string EmbeddedBrowser::LocationUrl() const {
    if (!browser_) return {};
    BSTR location = nullptr;
    if (FAILED(browser_->get_LocationURL(&location)) || !location) return {};
    std::string url = Narrow(std::wstring_view(location, SysStringLen(location)));
    SysFreeString(location);
    return url;
}

bool EmbeddedBrowser::Busy() const {
    if (!browser_) return false;
    VARIANT_BOOL busy = VARIANT_FALSE;
    if (FAILED(browser_->get_Busy(&busy))) return false;
    return busy != VARIANT_FALSE;
}

IOleInPlaceActiveObject* EmbeddedBrowser::ActiveObject() {
    if (activeObject_ || !browser_) return activeObject_;
    IDispatch* application = nullptr;
    if (FAILED(browser_->get_Application(&application)) || !application) return nullptr;
    IOleInPlaceActiveObject* active = nullptr;
    if (SUCCEEDED(application->QueryInterface(__uuidof(IOleInPlaceActiveObject), reinterpret_cast<void**>(&active))))
        activeObject_ = active;
    application->Release();
    return activeObject_;
}

void EmbeddedBrowser::FitTo(const RECT& area) {
    if (inPlace_) inPlace_->SetObjectRects(&area, &area);
}

void EmbeddedBrowser::Focus() {
    if (!object_ || !browser_) return;
    RECT area{};
    GetClientRect(host_, &area);
    object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_, 0, host_, &area);
}

void EmbeddedBrowser::Close() {
    if (activeObject_) {
        activeObject_->Release();
        activeObject_ = nullptr;
    }
    if (browser_) {
        browser_->Release();
        browser_ = nullptr;
    }
    if (site_) site_->Detach();
    if (inPlace_) {
        inPlace_->InPlaceDeactivate();
        inPlace_->Release();
        inPlace_ = nullptr;
    }
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_->Release();
        object_ = nullptr;
    }
    if (site_) {
        site_->Release();
        site_ = nullptr;
    }
}

}  // namespace velora::win32
