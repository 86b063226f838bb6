#include "win32/browser/BrowserSite.h"

#include <mshtmdid.h>
#include <idispids.h>

#include "win32/raii/InterfaceTable.h"

namespace velora::win32 {

namespace {

// The frame: the top-level window the host sits in.
class BrowserFrame final : public ComObject<IOleInPlaceFrame> {
public:
    explicit BrowserFrame(HWND host) : host_(host) {}

    // IUnknown: the frame and the interfaces it derives from.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        const InterfaceEntry table[] = {
            Implements<IOleInPlaceFrame>(this),
            Implements<IOleInPlaceFrame>(this, __uuidof(IOleInPlaceUIWindow)),
            Implements<IOleInPlaceFrame>(this, __uuidof(IOleWindow)),
        };
        return QueryInterfaceByTable(this, table, iid, object);
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
    ~BrowserFrame() override = default;

    HWND host_;
};

}  // namespace

ComPtr<BrowserSite> BrowserSite::Create(HWND host) { return ComPtr<BrowserSite>::Adopt(new BrowserSite(host)); }

BrowserSite::BrowserSite(HWND host)
    : host_(host), frame_(ComPtr<IOleInPlaceFrame>::Adopt(new BrowserFrame(host))) {}

HRESULT STDMETHODCALLTYPE BrowserSite::QueryInterface(REFIID iid, void** object) {
    const InterfaceEntry table[] = {
        Implements<IOleClientSite>(this),
        Implements<IOleInPlaceSite>(this),
        Implements<IOleInPlaceSite>(this, __uuidof(IOleWindow)),
        Implements<IDocHostUIHandler>(this),
        Implements<IDispatch>(this),
    };
    return QueryInterfaceByTable(this, table, iid, object);
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                                        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    // A reference of the control's own.
    *frame = ComPtr<IOleInPlaceFrame>(frame_).Detach();
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

HRESULT STDMETHODCALLTYPE BrowserSite::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                              VARIANT* result, EXCEPINFO*, UINT*) {
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

}  // namespace velora::win32
