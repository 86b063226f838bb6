#pragma once
// What a view of the service's pages may do, beyond showing them:
// - spell checking in its text fields with the system's dictionaries
//   (enchant: hunspell-de-de, hunspell-en-us), in the interface language the
//   program's own addresses carry; without the dictionary it stays off;
// - notifications for the service's own address only (scheme, host and
//   port), shown by the desktop (PageNotifications.h); a click on one shows
//   the page window. Every other origin is refused;
// - a link or form the user follows to another address than the service's
//   goes to the desktop's browser, and the view stays where it is.
// New windows are the browser peer's own business.

#include <functional>
#include <string>

#include "gtk/browser/PageNotifications.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _WebKitWebContext WebKitWebContext;

namespace velora::gtk {

class ServicePagePolicy {
public:
    ServicePagePolicy(std::function<void()> showWindow, std::function<void(const std::string&)> openElsewhere);
    ~ServicePagePolicy();
    ServicePagePolicy(const ServicePagePolicy&) = delete;
    ServicePagePolicy& operator=(const ServicePagePolicy&) = delete;

    // A new view with its context, before its first page.
    void Attach(GtkWidget* view, WebKitWebContext* context);
    // Before the view and the context go.
    void Detach();
    // The program sends the view to `url` (UTF-8).
    void Navigating(const std::string& url);

private:
    void ApplyDictionary();

    std::function<void(const std::string&)> openElsewhere_;
    PageNotifications notifications_;
    GtkWidget* view_ = nullptr;
    WebKitWebContext* context_ = nullptr;
    // The dictionary of the language last navigated in; empty before.
    std::string dictionary_;
};

}  // namespace velora::gtk
