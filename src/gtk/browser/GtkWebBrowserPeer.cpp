#include "gtk/browser/GtkWebBrowserPeer.h"

#include <gio/gio.h>
#include <gtk/gtk.h>
#include <malloc.h>

#include <cstdlib>

#include "gtk/AnsiText.h"
#include "gtk/browser/WebKitLibrary.h"
#include "text/Numbers.h"
#include "controls/WebBrowser.h"

namespace velora::gtk {

namespace {

constexpr unsigned kIdleSeconds = 300;
constexpr unsigned kMostIdleSeconds = 24 * 60 * 60;

}  // namespace

unsigned BrowserIdleSeconds(const char* setting) {
    if (!setting) return kIdleSeconds;
    const auto seconds = text::ParseDigits(setting, 10, kMostIdleSeconds);
    return seconds ? static_cast<unsigned>(*seconds) : kIdleSeconds;
}

GtkWebBrowserPeer::GtkWebBrowserPeer(controls::TWebBrowser& browser, const GtkPeerContext& context)
    : GtkWidgetPeer(browser, context) {
    // The view's place; it fills the box once it exists.
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    g_signal_connect(box, "unmap", G_CALLBACK(+[](GtkWidget*, gpointer self) {
                         static_cast<GtkWebBrowserPeer*>(self)->Hidden();
                     }),
                     this);
    g_signal_connect(box, "map", G_CALLBACK(+[](GtkWidget*, gpointer self) {
                         static_cast<GtkWebBrowserPeer*>(self)->Shown();
                     }),
                     this);
    Place(box);
    browser.SetBackend(this);
}

GtkWebBrowserPeer::~GtkWebBrowserPeer() {
    Shown();
    DropView();
}

bool GtkWebBrowserPeer::CreateView() {
    if (view_) return true;
    const WebKitFunctions* webkit = WebKit();
    if (!webkit) return false;
    // A context of the view's own: with its last reference WebKit's
    // processes end, which the shared default context would keep.
    webContext_ = webkit->web_context_new();
    view_ = webkit->web_view_new_with_context(webContext_);
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
    gtk_box_pack_start(GTK_BOX(widget_), view_, TRUE, TRUE, 0);
    gtk_widget_show(view_);
    // Created while the window is hidden (a language switch): it goes again
    // unless the window is shown meanwhile.
    if (!gtk_widget_get_mapped(widget_)) Hidden();
    return true;
}

void GtkWebBrowserPeer::DropView() {
    if (!view_) return;
    g_signal_handlers_disconnect_by_data(view_, this);
    // The box held the view's last reference, the view one of the context.
    gtk_widget_destroy(view_);
    view_ = nullptr;
    g_object_unref(webContext_);
    webContext_ = nullptr;
    // What the page held goes back to the system, not only to the heap.
    malloc_trim(0);
}

// One timer at a time, which fires once.
void GtkWebBrowserPeer::Hidden() {
    if (!view_ || dropTimer_) return;
    dropTimer_ = g_timeout_add_seconds(BrowserIdleSeconds(std::getenv("VELORA_BROWSER_IDLE_SECONDS")),
                                       +[](gpointer self) -> gboolean {
                                           auto* peer = static_cast<GtkWebBrowserPeer*>(self);
                                           peer->dropTimer_ = 0;
                                           peer->DropView();
                                           return G_SOURCE_REMOVE;
                                       },
                                       this);
}

void GtkWebBrowserPeer::Shown() {
    if (!dropTimer_) return;
    g_source_remove(dropTimer_);
    dropTimer_ = 0;
}

void GtkWebBrowserPeer::OpenElsewhere(const std::string& uri) {
    if (uri.empty() || uri == "about:blank") return;
    // A failure is silent, as the shell's is on Windows.
    g_app_info_launch_default_for_uri(uri.c_str(), nullptr, nullptr);
}

void GtkWebBrowserPeer::Navigate(const std::string& url) {
    // Without WebKit the window stays empty, as a page that fails to load.
    if (!CreateView()) return;
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
