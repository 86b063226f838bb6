#pragma once
// The child window of class "TWebBrowserHost" that holds the embedded
// browser and keeps it filling its client area, and the main window's
// keyboard hand-over to the browser, which runs for every message the
// application's loop takes from the queue. The browser itself, costly to
// create, is created with the first navigation: a program that opens no
// page never pays for it.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/WebBrowser.h"
#include "win32/browser/EmbeddedBrowser.h"
#include "win32/raii/UniqueWindow.h"

namespace velora::win32 {

class BrowserHostWindow final : public platform::WebBrowser {
public:
    // A child of `parent` at `bounds` (in the parent's client coordinates),
    // still without the browser. OLE must be initialised on this thread
    // before the first navigation. The browser hands a page's request for a
    // new window to `newWindow`.
    BrowserHostWindow(HWND parent, const RECT& bounds, bool visible, NewWindowHandler newWindow = {});
    ~BrowserHostWindow() override;
    BrowserHostWindow(const BrowserHostWindow&) = delete;
    BrowserHostWindow& operator=(const BrowserHostWindow&) = delete;

    // nullptr once the window was destroyed (with its parent, say).
    HWND Handle() const { return window_.Get(); }
    // Moves the window; the browser follows its client area.
    void SetBounds(const RECT& bounds);

    // Creates the browser inside the window first, if it does not exist yet.
    void Navigate(const std::string& url) override;
    std::string LocationUrl() const override;
    bool Busy() const override;
    // Handed to the browser at once when it is not loading, and again after
    // each navigation once the page is there (the next message through
    // BrowserMessageHook while it is not loading).
    void SetZoom(int percent) override;
    // The zoom the browser was last asked for, and the browser's answer;
    // 100 and S_FALSE before any.
    int AppliedZoom() const { return appliedZoom_; }
    HRESULT ZoomResult() const { return zoomResult_; }
    // A message meant for the browser: for this window or one of its own.
    bool IsForBrowser(const MSG& message) const;

    // The dialog manager processes the message for this window and its
    // children (and dispatches it when it takes it); a message it took is,
    // while no page is loading, also offered to the browser's in-place
    // active object, except the editing keys of PassesToBrowserAccelerator.
    // Returns whether the dialog manager took the message: the caller then
    // does not dispatch it again. False while there is no browser (before
    // the first navigation, too).
    bool BrowserMessageHook(MSG& message);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
    std::unique_ptr<EmbeddedBrowser> browser_;
    NewWindowHandler newWindow_;
    int zoom_ = 100;
    bool zoomPending_ = false;
    bool zoomTried_ = false;
    bool wasBusy_ = false;
    int appliedZoom_ = 100;
    HRESULT zoomResult_ = S_FALSE;

    void ApplyZoom();
};

}  // namespace velora::win32
