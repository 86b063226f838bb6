#include "gtk/browser/GtkWebBrowserPeer.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include "gtk/AnsiText.h"
#include "controls/WebBrowser.h"

namespace velora::gtk {

GtkWebBrowserPeer::GtkWebBrowserPeer(controls::TWebBrowser& browser, const GtkPeerContext& context)
    : GtkWidgetPeer(browser, context) {
    GtkWidget* view = webkit_web_view_new();
    WebKitSettings* settings = webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view));
    // Pages may not open windows of their own; what they ask for goes to
    // the desktop's browser (below).
    webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
    g_signal_connect(view, "decide-policy",
                     G_CALLBACK(+[](WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                    gpointer self) -> gboolean {
                         if (type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) return FALSE;
                         WebKitNavigationAction* action =
                             webkit_navigation_policy_decision_get_navigation_action(
                                 WEBKIT_NAVIGATION_POLICY_DECISION(decision));
                         WebKitURIRequest* request = webkit_navigation_action_get_request(action);
                         static_cast<GtkWebBrowserPeer*>(self)->OpenElsewhere(webkit_uri_request_get_uri(request));
                         webkit_policy_decision_ignore(decision);
                         return TRUE;
                     }),
                     this);
    // window.open() from a script reaches "create" instead.
    g_signal_connect(view, "create",
                     G_CALLBACK(+[](WebKitWebView*, WebKitNavigationAction* action, gpointer self) -> GtkWidget* {
                         WebKitURIRequest* request = webkit_navigation_action_get_request(action);
                         static_cast<GtkWebBrowserPeer*>(self)->OpenElsewhere(webkit_uri_request_get_uri(request));
                         return nullptr;
                     }),
                     this);
    Place(view);
    browser.SetBackend(this);
}

void GtkWebBrowserPeer::OpenElsewhere(const std::string& uri) {
    if (uri.empty() || uri == "about:blank") return;
    // A failure is silent, as the shell's is on Windows.
    g_app_info_launch_default_for_uri(uri.c_str(), nullptr, nullptr);
}

void GtkWebBrowserPeer::Navigate(const std::string& url) {
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(widget_), ToUtf8(url).c_str());
}

std::string GtkWebBrowserPeer::LocationUrl() const {
    const gchar* uri = webkit_web_view_get_uri(WEBKIT_WEB_VIEW(widget_));
    return uri ? FromUtf8(uri) : std::string();
}

bool GtkWebBrowserPeer::Busy() const { return webkit_web_view_is_loading(WEBKIT_WEB_VIEW(widget_)) != FALSE; }

}  // namespace velora::gtk
