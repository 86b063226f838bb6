#pragma once
// WebKitGTK, loaded with the first page. The library alone would cost a
// program idle in the tray more private memory than all the rest of it (the
// relocations of WebKit and of the libraries it pulls in) and threads of its
// own, and the program and its page window's process are one program file
// (gtk/pagewindow/): so it is not linked, and only the page window's process
// loads it, when its browser first needs it, for the rest of its run (its
// types stay registered). The functions the browser calls, typed after the library's own
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
    // The service's pages (ServicePagePolicy.h).
    decltype(&webkit_web_context_set_spell_checking_enabled) web_context_set_spell_checking_enabled;
    decltype(&webkit_web_context_set_spell_checking_languages) web_context_set_spell_checking_languages;
    decltype(&webkit_web_context_initialize_notification_permissions)
        web_context_initialize_notification_permissions;
    decltype(&webkit_security_origin_new_for_uri) security_origin_new_for_uri;
    decltype(&webkit_security_origin_unref) security_origin_unref;
    decltype(&webkit_notification_permission_request_get_type) notification_permission_request_get_type;
    decltype(&webkit_permission_request_allow) permission_request_allow;
    decltype(&webkit_permission_request_deny) permission_request_deny;
    decltype(&webkit_notification_get_title) notification_get_title;
    decltype(&webkit_notification_get_body) notification_get_body;
    decltype(&webkit_navigation_action_get_navigation_type) navigation_action_get_navigation_type;
    decltype(&webkit_navigation_action_is_user_gesture) navigation_action_is_user_gesture;
    decltype(&webkit_web_view_set_zoom_level) web_view_set_zoom_level;
};

// Loads the library on the first call; nullptr when it, or one of the
// functions, cannot be found (no page can be shown then).
const WebKitFunctions* WebKit();

}  // namespace velora::gtk
