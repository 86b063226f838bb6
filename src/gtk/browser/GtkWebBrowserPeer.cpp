#include "gtk/browser/GtkWebBrowserPeer.h"

#include <gio/gio.h>
#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "gtk/browser/WebKitLibrary.h"
#include "gtk/ErrorDisplay.h"
#include "controls/Form.h"
#include "controls/PageZoom.h"
#include "controls/WebBrowser.h"

namespace velora::gtk {

namespace {

// The zoom keys by the Windows key codes PageZoom.h reads; 0 for another key.
unsigned ZoomVirtualKey(guint keyval) {
    switch (keyval) {
        case GDK_KEY_plus:
        case GDK_KEY_equal: return 0xBB;
        case GDK_KEY_KP_Add: return 0x6B;
        case GDK_KEY_minus:
        case GDK_KEY_underscore: return 0xBD;
        case GDK_KEY_KP_Subtract: return 0x6D;
        case GDK_KEY_0:
        case GDK_KEY_parenright: return 0x30;
        case GDK_KEY_KP_0: return 0x60;
        default: return 0;
    }
}

controls::ZoomChange ZoomOfScroll(const GdkEventScroll& scroll) {
    const bool ctrl = (scroll.state & GDK_CONTROL_MASK) != 0;
    switch (scroll.direction) {
        case GDK_SCROLL_UP: return controls::ZoomWheel(1, ctrl);
        case GDK_SCROLL_DOWN: return controls::ZoomWheel(-1, ctrl);
        case GDK_SCROLL_SMOOTH: return controls::ZoomWheel(scroll.delta_y < 0 ? 1 : scroll.delta_y > 0 ? -1 : 0, ctrl);
        default: return controls::ZoomChange::None;
    }
}

}  // namespace

GtkWebBrowserPeer::GtkWebBrowserPeer(controls::TWebBrowser& browser, const GtkPeerContext& context)
    : GtkWidgetPeer(browser, context),
      policy_([this] { ShowWindow(); }, [this](const std::string& uri) { OpenElsewhere(uri); }) {
    // The view's place; it fills the box once it exists.
    Place(gtk_box_new(GTK_ORIENTATION_VERTICAL, 0));
    browser.SetBackend(this);
}

GtkWebBrowserPeer::~GtkWebBrowserPeer() { DropView(); }

bool GtkWebBrowserPeer::CreateView() {
    if (view_) return true;
    const WebKitFunctions* webkit = WebKit();
    if (!webkit) return false;
    // A context of the view's own: with its last reference WebKit's
    // processes end, which the shared default context would keep.
    webContext_ = ObjectRef<WebKitWebContext>::Adopt(webkit->web_context_new());
    view_ = webkit->web_view_new_with_context(webContext_.Get());
    WebKitSettings* settings = webkit->web_view_get_settings(reinterpret_cast<WebKitWebView*>(view_));
    // Pages may not open windows of their own; what they ask for goes to
    // the desktop's browser (below).
    webkit->settings_set_javascript_can_open_windows_automatically(settings, FALSE);
    g_signal_connect(view_, "decide-policy",
                     G_CALLBACK(+[](GtkWidget*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                    gpointer self) -> gboolean {
                         if (type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) return FALSE;
                         const WebKitFunctions* webkit = WebKit();
                         WebKitNavigationAction* action = webkit->navigation_policy_decision_get_navigation_action(
                             reinterpret_cast<WebKitNavigationPolicyDecision*>(decision));
                         WebKitURIRequest* request = webkit->navigation_action_get_request(action);
                         static_cast<GtkWebBrowserPeer*>(self)->OpenElsewhere(webkit->uri_request_get_uri(request));
                         webkit->policy_decision_ignore(decision);
                         return TRUE;
                     }),
                     this);
    // window.open() from a script reaches "create" instead.
    g_signal_connect(view_, "create",
                     G_CALLBACK(+[](GtkWidget*, WebKitNavigationAction* action, gpointer self) -> GtkWidget* {
                         const WebKitFunctions* webkit = WebKit();
                         WebKitURIRequest* request = webkit->navigation_action_get_request(action);
                         static_cast<GtkWebBrowserPeer*>(self)->OpenElsewhere(webkit->uri_request_get_uri(request));
                         return nullptr;
                     }),
                     this);
    for (const char* state : {"notify::uri", "notify::is-loading"})
        g_signal_connect(view_, state, G_CALLBACK(+[](GtkWidget*, GParamSpec*, gpointer self) {
                             auto* peer = static_cast<GtkWebBrowserPeer*>(self);
                             if (peer->pageStateChanged_) Guarded(peer->pageStateChanged_);
                         }),
                         this);
    policy_.Attach(view_, webContext_.Get());
    ConnectZoomInput();
    ApplyZoom();
    gtk_box_pack_start(GTK_BOX(widget_), view_, TRUE, TRUE, 0);
    gtk_widget_show(view_);
    return true;
}

// Connected before WebKit's own handlers run, so the page never sees them.
void GtkWebBrowserPeer::ConnectZoomInput() {
    g_signal_connect(view_, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, gpointer self) -> gboolean {
                         const controls::ZoomChange change =
                             controls::ZoomKey(ZoomVirtualKey(key->keyval), (key->state & GDK_CONTROL_MASK) != 0,
                                         (key->state & GDK_MOD1_MASK) != 0);
                         if (change == controls::ZoomChange::None) return FALSE;
                         static_cast<GtkWebBrowserPeer*>(self)->ChangeZoom(change);
                         return TRUE;
                     }),
                     this);
    g_signal_connect(view_, "scroll-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventScroll* scroll, gpointer self) -> gboolean {
                         if (!(scroll->state & GDK_CONTROL_MASK)) return FALSE;
                         // A wheel's click may come twice, as a smooth step
                         // and emulated as a click: one of them counts.
                         if (gdk_event_get_pointer_emulated(reinterpret_cast<GdkEvent*>(scroll))) return TRUE;
                         const controls::ZoomChange change = ZoomOfScroll(*scroll);
                         if (change != controls::ZoomChange::None)
                             static_cast<GtkWebBrowserPeer*>(self)->ChangeZoom(change);
                         // Ctrl with the wheel never scrolls the page.
                         return TRUE;
                     }),
                     this);
}

void GtkWebBrowserPeer::ChangeZoom(controls::ZoomChange change) {
    Guarded([&] { static_cast<controls::TWebBrowser&>(control_).ChangeZoom(change); });
}

void GtkWebBrowserPeer::SetZoom(int percent) {
    zoom_ = percent;
    ApplyZoom();
}

void GtkWebBrowserPeer::ApplyZoom() {
    if (view_) WebKit()->web_view_set_zoom_level(reinterpret_cast<WebKitWebView*>(view_), zoom_ / 100.0);
}

void GtkWebBrowserPeer::DropView() {
    if (!view_) return;
    g_signal_handlers_disconnect_by_data(view_, this);
    policy_.Detach();
    // The box held the view's last reference, the view one of the context.
    gtk_widget_destroy(view_);
    view_ = nullptr;
    webContext_.Reset();
}

void GtkWebBrowserPeer::OpenElsewhere(const std::string& uri) {
    if (uri.empty() || uri == "about:blank") return;
    // A failure is silent, as the shell's is on Windows.
    g_app_info_launch_default_for_uri(uri.c_str(), nullptr, nullptr);
}

void GtkWebBrowserPeer::ShowWindow() {
    controls::TForm* form = controls::ParentForm(control_);
    if (!form) return;
    form->Show();
    form->BringToFront();
}

void GtkWebBrowserPeer::Navigate(const std::string& url) {
    // Without WebKit the window stays empty, as a page that fails to load.
    if (!CreateView()) return;
    policy_.Navigating(ToUtf8(url));
    WebKit()->web_view_load_uri(reinterpret_cast<WebKitWebView*>(view_), ToUtf8(url).c_str());
}

std::string GtkWebBrowserPeer::LocationUrl() const {
    if (!view_) return {};
    const gchar* uri = WebKit()->web_view_get_uri(reinterpret_cast<WebKitWebView*>(view_));
    return uri ? FromUtf8(uri) : std::string();
}

bool GtkWebBrowserPeer::Busy() const {
    return view_ && WebKit()->web_view_is_loading(reinterpret_cast<WebKitWebView*>(view_)) != FALSE;
}

}  // namespace velora::gtk
