#include "gtk/browser/ServicePagePolicy.h"

#include <gtk/gtk.h>

#include <exception>

#include "app/ServiceEndpoints.h"
#include "app/ServiceOrigin.h"
#include "i18n/SpellingLanguage.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/browser/WebKitLibrary.h"

namespace velora::gtk {

namespace {

// The service's origin is the only one with notifications, from the web
// process's start on: its requests are granted without asking.
void InitializeNotificationPermissions(WebKitWebContext* context, gpointer) {
    const WebKitFunctions* webkit = WebKit();
    const std::string base(app::ServiceBaseUrl);
    WebKitSecurityOrigin* service = webkit->security_origin_new_for_uri(base.c_str());
    GList* allowed = g_list_append(nullptr, service);
    webkit->web_context_initialize_notification_permissions(context, allowed, nullptr);
    g_list_free(allowed);
    webkit->security_origin_unref(service);
}

// A request the granted list did not answer (the web process may start
// before the list is asked for). WebKit itself refuses frames of another
// origin than the page's, so what reaches here is the page's own: granted
// while the view shows the service, refused elsewhere.
gboolean PermissionRequested(GtkWidget* view, WebKitPermissionRequest* request, gpointer) {
    const WebKitFunctions* webkit = WebKit();
    if (!G_TYPE_CHECK_INSTANCE_TYPE(request, webkit->notification_permission_request_get_type())) return FALSE;
    const gchar* shown = webkit->web_view_get_uri(reinterpret_cast<WebKitWebView*>(view));
    if (shown && app::OnService(shown))
        webkit->permission_request_allow(request);
    else
        webkit->permission_request_deny(request);
    return TRUE;
}

// The user follows a link or sends a form, which a page's own loading does
// not: the address a frame loads or a script goes to stays with the view.
bool UserNavigation(const WebKitFunctions& webkit, WebKitNavigationAction* action) {
    const WebKitNavigationType type = webkit.navigation_action_get_navigation_type(action);
    return type == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED || type == WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED ||
           webkit.navigation_action_is_user_gesture(action);
}

}  // namespace

ServicePagePolicy::ServicePagePolicy(std::function<void()> showWindow,
                                     std::function<void(const std::string&)> openElsewhere)
    : openElsewhere_(std::move(openElsewhere)), notifications_(std::move(showWindow)) {}

ServicePagePolicy::~ServicePagePolicy() { Detach(); }

void ServicePagePolicy::Attach(GtkWidget* view, WebKitWebContext* context) {
    Detach();
    view_ = view;
    context_ = context;
    const WebKitFunctions* webkit = WebKit();
    g_signal_connect(context_, "initialize-notification-permissions", G_CALLBACK(&InitializeNotificationPermissions),
                     this);
    g_signal_connect(view_, "permission-request", G_CALLBACK(&PermissionRequested), this);
    g_signal_connect(view_, "show-notification",
                     G_CALLBACK(+[](GtkWidget*, WebKitNotification* notification, gpointer self) -> gboolean {
                         const WebKitFunctions* webkit = WebKit();
                         const gchar* title = webkit->notification_get_title(notification);
                         const gchar* body = webkit->notification_get_body(notification);
                         Guarded([&] {
                             static_cast<ServicePagePolicy*>(self)->notifications_.Show(title ? title : "",
                                                                                         body ? body : "");
                         });
                         return TRUE;
                     }),
                     this);
    g_signal_connect(view_, "decide-policy",
                     G_CALLBACK(+[](GtkWidget*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                    gpointer self) -> gboolean {
                         if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
                         const WebKitFunctions* webkit = WebKit();
                         WebKitNavigationAction* action = webkit->navigation_policy_decision_get_navigation_action(
                             reinterpret_cast<WebKitNavigationPolicyDecision*>(decision));
                         const gchar* uri = webkit->uri_request_get_uri(webkit->navigation_action_get_request(action));
                         if (!uri || !app::LeavesService(uri) || !UserNavigation(*webkit, action)) return FALSE;
                         Guarded([&] { static_cast<ServicePagePolicy*>(self)->openElsewhere_(uri); });
                         webkit->policy_decision_ignore(decision);
                         return TRUE;
                     }),
                     this);
    webkit->web_context_set_spell_checking_enabled(context_, TRUE);
    ApplyDictionary();
}

void ServicePagePolicy::Detach() {
    if (view_) g_signal_handlers_disconnect_by_data(view_, this);
    if (context_) g_signal_handlers_disconnect_by_data(context_, this);
    view_ = nullptr;
    context_ = nullptr;
}

void ServicePagePolicy::Navigating(const std::string& url) {
    const auto code = i18n::LanguageInUrl(url);
    if (!code) return;
    const std::string dictionary = i18n::SpellingDictionary(*code).value_or("");
    if (dictionary == dictionary_) return;
    dictionary_ = dictionary;
    ApplyDictionary();
}

// WebKit takes the languages it has a dictionary for and quietly drops the
// others.
void ServicePagePolicy::ApplyDictionary() {
    if (!context_ || dictionary_.empty()) return;
    const gchar* languages[] = {dictionary_.c_str(), nullptr};
    WebKit()->web_context_set_spell_checking_languages(context_, languages);
}

}  // namespace velora::gtk
