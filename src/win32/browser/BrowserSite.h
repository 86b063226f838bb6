#pragma once
// The container side of the embedded browser: the COM objects through which
// the system's WebBrowser control talks to our window.
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
// The one event the program watches, a page's request for a new window,
// goes to a sink of its own (BrowserEvents.h), never to the site: the
// control calls Invoke for ambient properties on whatever object it knows as
// the site, before any sink is advised.
//
// Lifetimes. COM objects live as long as someone holds a counted reference,
// and here references run both ways between our objects and the control's:
//
// - EmbeddedBrowser holds the control through its interfaces (IOleObject,
//   IOleInPlaceObject, IWebBrowser2 and, once asked for, the in-place active
//   object) and holds the site; each is a ComPtr, one reference each.
// - The control holds the site from SetClientSite until SetClientSite(null),
//   and the frame from GetWindowContext for as long as it is active in
//   place; both are references it counted itself.
// - The site holds the frame, whose first reference it took at creation.
// - The site also knows the control's in-place object, to pass on position
//   changes, but holds no reference to it: one would close a cycle, control
//   to site to control, that no Release would ever open again. Attach and
//   Detach bracket the time the pointer is valid.
//
// EmbeddedBrowser::Close undoes this in one order, in the host's WM_DESTROY,
// while the window the control lives in still exists: first the references
// only we hold (the active object, IWebBrowser2); the site forgets the
// in-place object, so that a position change reported during deactivation
// goes nowhere; the control deactivates in place (its windows go), is closed
// and gets its client site taken back, which makes it release the site and
// the frame; our IOleObject reference goes; last our reference to the site,
// the final one now, deletes the site and with it the frame. A reference
// kept too long keeps the whole control alive; one given back twice deletes
// an object the control still calls. The owners (ComPtr, ComObject) make
// each exactly once.
//
// Everything runs on the user-interface thread, in OLE's single-threaded
// apartment: the objects count with a plain counter. None of their methods
// may throw: an exception must never unwind through the control's frames.

#include <windows.h>
#include <ole2.h>
#include <mshtmhst.h>

#include "win32/raii/ComObject.h"
#include "win32/raii/ComPtr.h"

namespace velora::win32 {

// The site: our host window, as the control sees it.
class BrowserSite final : public ComObject<IOleClientSite, IOleInPlaceSite, IDocHostUIHandler, IDispatch> {
public:
    // A site for a control in `host`, with its frame.
    static ComPtr<BrowserSite> Create(HWND host);

    // The control is in place: changes of its position go to it from now on.
    void Attach(IOleInPlaceObject* inPlace) { inPlace_ = inPlace; }
    void Detach() { inPlace_ = nullptr; }

    // IUnknown: the four interfaces, and IOleWindow through IOleInPlaceSite.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

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
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
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
                                     EXCEPINFO*, UINT*) override;

private:
    explicit BrowserSite(HWND host);
    ~BrowserSite() override = default;

    HWND host_;
    ComPtr<IOleInPlaceFrame> frame_;
    IOleInPlaceObject* inPlace_ = nullptr;  // not counted: see above
};

}  // namespace velora::win32
