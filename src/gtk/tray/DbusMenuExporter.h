#pragma once
// The tray menu on the session bus as com.canonical.dbusmenu describes it,
// at /MenuBar: the host asks for the layout and the entries' properties,
// built anew from the model for every question, and reports the user's
// choice, which runs once the host has its answer and the menu has closed.

#include <functional>
#include <string_view>
#include <vector>

#include "gtk/tray/BusRegistration.h"
#include "gtk/tray/DbusMenuLayout.h"
#include "gtk/tray/DeferredCalls.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GDBusMethodInvocation GDBusMethodInvocation;
typedef struct _GVariant GVariant;

namespace velora::controls {
class TPopupMenu;
}  // namespace velora::controls

namespace velora::gtk {

class DbusMenuExporter {
public:
    static constexpr char kPath[] = "/MenuBar";
    // The menu the host is shown; may be none.
    using MenuSource = std::function<controls::TPopupMenu*()>;

    DbusMenuExporter(GDBusConnection* bus, MenuSource menu);
    DbusMenuExporter(const DbusMenuExporter&) = delete;
    DbusMenuExporter& operator=(const DbusMenuExporter&) = delete;

    // Registers the object on the bus; false when the bus refuses.
    bool Export();
    void Unexport() { registration_.Unregister(); }
    bool Exported() const { return registration_.Registered(); }

    // The menu's entries changed: the host reads the layout again.
    void LayoutChanged();
    unsigned Revision() const { return revision_; }

    // For the D-Bus dispatch.
    void Call(std::string_view method, GVariant* parameters, GDBusMethodInvocation* invocation);
    static GVariant* Property(std::string_view name);

private:
    // One call: the parameters, where the answer goes, and the menu's
    // entries as they are now.
    struct Request {
        GVariant* parameters;
        GDBusMethodInvocation* invocation;
        const std::vector<DbusMenuEntry>& entries;
        bool Valid(int id) const { return id >= 0 && id < static_cast<int>(entries.size()); }
    };
    void GetLayout(const Request& request);
    void GetGroupProperties(const Request& request);
    void GetProperty(const Request& request);
    void Event(const Request& request);
    void EventGroup(const Request& request);
    void AboutToShow(const Request& request);
    void AboutToShowGroup(const Request& request);
    // Runs the entry `id` later, if the event is a click on an entry that
    // can be chosen and it is still in the menu then.
    void Clicked(const Request& request, int id, std::string_view event);

    GDBusConnection* bus_;
    MenuSource menu_;
    BusRegistration registration_;
    unsigned revision_ = 1;
    DeferredCalls deferred_;
};

}  // namespace velora::gtk
