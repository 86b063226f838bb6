#pragma once
// The page's notifications as the desktop's own: org.freedesktop.Notifications
// on the session bus the program's GApplication holds, or, in the page
// window's process, which has none, on a connection of its own made when
// this object is; every call asynchronous (what the page shows before the
// connection is there waits for it). A click on one (its default action) runs the handler given
// here; the notifications the desktop closes are forgotten. Without a
// session bus or a notification service nothing is shown, silently.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gtk/raii/ObjectRef.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GCancellable GCancellable;
typedef struct _GVariant GVariant;

namespace velora::gtk {

class PageNotifications {
public:
    explicit PageNotifications(std::function<void()> clicked);
    ~PageNotifications();
    PageNotifications(const PageNotifications&) = delete;
    PageNotifications& operator=(const PageNotifications&) = delete;

    // Title and body in UTF-8, as the page gave them.
    void Show(const std::string& title, const std::string& body);

private:
    bool Connect();
    void Subscribe();
    void Send(const std::string& title, const std::string& body);
    void Connected(GDBusConnection* bus);
    void Shown(std::uint32_t id) { shown_.insert(id); }
    void Signal(const char* name, GVariant* parameters);

    std::function<void()> clicked_;
    ObjectRef<GDBusConnection> bus_;
    ObjectRef<GCancellable> cancellable_;
    unsigned subscription_ = 0;
    bool connecting_ = false;
    // Shown while the connection of its own was still being made.
    std::vector<std::pair<std::string, std::string>> waiting_;
    // The ids of the notifications this program shows and the service still
    // has: a click on another program's does nothing here.
    std::set<std::uint32_t> shown_;
};

}  // namespace velora::gtk
