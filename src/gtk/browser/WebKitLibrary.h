#pragma once
// WebKitGTK, loaded with the first page. The library alone, before any page,
// would cost a program idle in the tray more private memory than all the rest
// of it (the relocations of WebKit and of the libraries it pulls in) and a
// thread of its own, so the program does not link it: the browser loads it
// when it first needs it and keeps it for the rest of the run (its types stay
// registered). The functions the browser calls, typed after the library's own
// declarations.

#include <webkit2/webkit2.h>

namespace velora::gtk {

struct WebKitFunctions {
    decltype(&webkit_web_context_new) web_context_new;
    decltype(&webkit_web_view_new_with_context) web_view_new_with_context;
    decltype(&webkit_web_view_get_settings) web_view_get_settings;
    decltype(&webkit_settings_set_javascript_can_open_windows_automatically)
        settings_set_javascript_can_open_windows_automatically;
    decltype(&webkit_navigation_policy_decision_get_navigation_action)
        navigation_policy_decision_get_navigation_action;
    decltype(&webkit_navigation_action_get_request) navigation_action_get_request;
    decltype(&webkit_uri_request_get_uri) uri_request_get_uri;
    decltype(&webkit_policy_decision_ignore) policy_decision_ignore;
    decltype(&webkit_web_view_load_uri) web_view_load_uri;
    decltype(&webkit_web_view_get_uri) web_view_get_uri;
    decltype(&webkit_web_view_is_loading) web_view_is_loading;
};

// Loads the library on the first call; nullptr when it, or one of the
// functions, cannot be found (no page can be shown then).
const WebKitFunctions* WebKit();

}  // namespace velora::gtk
