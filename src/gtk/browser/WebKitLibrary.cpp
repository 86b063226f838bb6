#include "gtk/browser/WebKitLibrary.h"

#include <gmodule.h>

#include <type_traits>

namespace velora::gtk {

namespace {

const WebKitFunctions* Load() {
    const auto flags = static_cast<GModuleFlags>(G_MODULE_BIND_LAZY | G_MODULE_BIND_LOCAL);
    GModule* library = g_module_open(VELORA_WEBKIT_LIBRARY, flags);
    if (!library) return nullptr;
    g_module_make_resident(library);
    static WebKitFunctions functions;
    bool complete = true;
    const auto find = [library, &complete](const char* name, auto& function) {
        gpointer symbol = nullptr;
        if (!g_module_symbol(library, name, &symbol) || !symbol) complete = false;
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(symbol);
    };
    find("webkit_web_context_new", functions.web_context_new);
    find("webkit_web_view_new_with_context", functions.web_view_new_with_context);
    find("webkit_web_view_get_settings", functions.web_view_get_settings);
    find("webkit_settings_set_javascript_can_open_windows_automatically",
         functions.settings_set_javascript_can_open_windows_automatically);
    find("webkit_navigation_policy_decision_get_navigation_action",
         functions.navigation_policy_decision_get_navigation_action);
    find("webkit_navigation_action_get_request", functions.navigation_action_get_request);
    find("webkit_uri_request_get_uri", functions.uri_request_get_uri);
    find("webkit_policy_decision_ignore", functions.policy_decision_ignore);
    find("webkit_web_view_load_uri", functions.web_view_load_uri);
    find("webkit_web_view_get_uri", functions.web_view_get_uri);
    find("webkit_web_view_is_loading", functions.web_view_is_loading);
    find("webkit_web_context_set_spell_checking_enabled", functions.web_context_set_spell_checking_enabled);
    find("webkit_web_context_set_spell_checking_languages", functions.web_context_set_spell_checking_languages);
    find("webkit_web_context_initialize_notification_permissions",
         functions.web_context_initialize_notification_permissions);
    find("webkit_security_origin_new_for_uri", functions.security_origin_new_for_uri);
    find("webkit_security_origin_unref", functions.security_origin_unref);
    find("webkit_notification_permission_request_get_type", functions.notification_permission_request_get_type);
    find("webkit_permission_request_allow", functions.permission_request_allow);
    find("webkit_permission_request_deny", functions.permission_request_deny);
    find("webkit_notification_get_title", functions.notification_get_title);
    find("webkit_notification_get_body", functions.notification_get_body);
    find("webkit_navigation_action_get_navigation_type", functions.navigation_action_get_navigation_type);
    find("webkit_navigation_action_is_user_gesture", functions.navigation_action_is_user_gesture);
    find("webkit_web_view_set_zoom_level", functions.web_view_set_zoom_level);
    return complete ? &functions : nullptr;
}

}  // namespace

const WebKitFunctions* WebKit() {
    static const WebKitFunctions* const functions = Load();
    return functions;
}

}  // namespace velora::gtk
