#include "gtk/controls/GtkLinkArea.h"

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include "gtk/ErrorDisplay.h"
#include "gtk/raii/ObjectRef.h"

using velora::gtk::LinkAreaContent;
using velora::gtk::ObjectRef;

namespace {

// ---- The widget ----------------------------------------------------------------

struct VeloraLinkArea {
    GtkDrawingArea parent;
    LinkAreaContent* content;
};
struct VeloraLinkAreaClass {
    GtkDrawingAreaClass parent;
};

GType velora_link_area_accessible_get_type();

G_DEFINE_TYPE(VeloraLinkArea, velora_link_area, GTK_TYPE_DRAWING_AREA)

LinkAreaContent* ContentOf(GtkWidget* widget) {
    if (!widget || !G_TYPE_CHECK_INSTANCE_TYPE(widget, velora_link_area_get_type())) return nullptr;
    return reinterpret_cast<VeloraLinkArea*>(widget)->content;
}

bool Forward(GtkDirectionType direction) {
    return direction == GTK_DIR_TAB_FORWARD || direction == GTK_DIR_DOWN || direction == GTK_DIR_RIGHT;
}

// Tab arrives at the first link (Shift+Tab at the last), walks the links and
// leaves after the last; a label without links takes no focus.
gboolean LinkAreaFocus(GtkWidget* widget, GtkDirectionType direction) {
    LinkAreaContent* content = ContentOf(widget);
    if (!content || !gtk_widget_is_sensitive(widget) || !gtk_widget_get_can_focus(widget)) return FALSE;
    bool taken = false;
    velora::gtk::Guarded([&] {
        if (!gtk_widget_is_focus(widget)) {
            taken = content->EnterFocus(Forward(direction));
            if (taken) gtk_widget_grab_focus(widget);
        } else {
            taken = content->MoveFocus(Forward(direction));
        }
    });
    return taken;
}

void velora_link_area_init(VeloraLinkArea* area) {
    area->content = nullptr;
    gtk_widget_set_can_focus(GTK_WIDGET(area), TRUE);
}

void velora_link_area_class_init(VeloraLinkAreaClass* cls) {
    GTK_WIDGET_CLASS(cls)->focus = &LinkAreaFocus;
    gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(cls), velora_link_area_accessible_get_type());
    gtk_widget_class_set_accessible_role(GTK_WIDGET_CLASS(cls), ATK_ROLE_LABEL);
}

// ---- One link's accessible --------------------------------------------------------

struct VeloraLinkAccessible {
    AtkObject parent;
    int index;
};
struct VeloraLinkAccessibleClass {
    AtkObjectClass parent;
};

void LinkActionInit(AtkActionIface* iface);

G_DEFINE_TYPE_WITH_CODE(VeloraLinkAccessible, velora_link_accessible, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, LinkActionInit))

GtkWidget* WidgetOfLink(AtkObject* link) {
    AtkObject* area = atk_object_get_parent(link);
    return area && GTK_IS_ACCESSIBLE(area) ? gtk_accessible_get_widget(GTK_ACCESSIBLE(area)) : nullptr;
}

int LinkIndex(AtkObject* link) { return reinterpret_cast<VeloraLinkAccessible*>(link)->index; }

gint LinkIndexInParent(AtkObject* link) { return LinkIndex(link); }

AtkStateSet* LinkStates(AtkObject* link) {
    AtkStateSet* states = atk_state_set_new();
    GtkWidget* widget = WidgetOfLink(link);
    LinkAreaContent* content = ContentOf(widget);
    if (!content) {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
    if (gtk_widget_is_sensitive(widget)) {
        atk_state_set_add_state(states, ATK_STATE_ENABLED);
        atk_state_set_add_state(states, ATK_STATE_SENSITIVE);
    }
    if (gtk_widget_get_visible(widget)) atk_state_set_add_state(states, ATK_STATE_VISIBLE);
    if (gtk_widget_get_mapped(widget)) atk_state_set_add_state(states, ATK_STATE_SHOWING);
    if (gtk_widget_has_focus(widget) && content->FocusedLink() == LinkIndex(link))
        atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    return states;
}

void velora_link_accessible_init(VeloraLinkAccessible* link) { link->index = -1; }

void velora_link_accessible_class_init(VeloraLinkAccessibleClass* cls) {
    auto* object = ATK_OBJECT_CLASS(cls);
    object->get_index_in_parent = &LinkIndexInParent;
    object->ref_state_set = &LinkStates;
}

struct PendingClick {
    ObjectRef<GtkWidget> widget;
    int link;
};

// The action runs from the main loop, not inside the screen reader's call.
gboolean RunClick(gpointer data) {
    auto* click = static_cast<PendingClick*>(data);
    if (LinkAreaContent* content = ContentOf(click->widget.Get()))
        velora::gtk::Guarded([&] { content->ActivateLink(click->link); });
    delete click;
    return G_SOURCE_REMOVE;
}

gboolean LinkDoAction(AtkAction* action, gint i) {
    GtkWidget* widget = WidgetOfLink(ATK_OBJECT(action));
    if (i != 0 || !ContentOf(widget) || !gtk_widget_is_sensitive(widget)) return FALSE;
    g_idle_add(&RunClick, new PendingClick{ObjectRef<GtkWidget>::Share(widget), LinkIndex(ATK_OBJECT(action))});
    return TRUE;
}

gint LinkActionCount(AtkAction*) { return 1; }
const gchar* LinkActionName(AtkAction*, gint i) { return i == 0 ? "click" : nullptr; }

void LinkActionInit(AtkActionIface* iface) {
    iface->do_action = &LinkDoAction;
    iface->get_n_actions = &LinkActionCount;
    iface->get_name = &LinkActionName;
}

// ---- The label's accessible ------------------------------------------------------

struct VeloraLinkAreaAccessible {
    GtkWidgetAccessible parent;
    GPtrArray* links;
};
struct VeloraLinkAreaAccessibleClass {
    GtkWidgetAccessibleClass parent;
};

void AreaTextInit(AtkTextIface* iface);

G_DEFINE_TYPE_WITH_CODE(VeloraLinkAreaAccessible, velora_link_area_accessible, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, AreaTextInit))

LinkAreaContent* ContentOfArea(AtkObject* area) { return ContentOf(gtk_accessible_get_widget(GTK_ACCESSIBLE(area))); }

// The links' accessibles, made again when the caption changed.
void BuildLinks(VeloraLinkAreaAccessible* area, bool rebuild) {
    LinkAreaContent* content = ContentOfArea(ATK_OBJECT(area));
    const int count = content ? content->LinkCount() : 0;
    if (!rebuild && static_cast<int>(area->links->len) == count) return;
    g_ptr_array_set_size(area->links, 0);
    for (int i = 0; i < count; ++i) {
        auto* link = static_cast<VeloraLinkAccessible*>(g_object_new(velora_link_accessible_get_type(), nullptr));
        link->index = i;
        AtkObject* object = ATK_OBJECT(link);
        atk_object_set_role(object, ATK_ROLE_LINK);
        atk_object_set_parent(object, ATK_OBJECT(area));
        std::string text;
        velora::gtk::Guarded([&] { text = content->LinkText(i); });
        atk_object_set_name(object, text.c_str());
        g_ptr_array_add(area->links, object);
    }
}

gint AreaChildCount(AtkObject* object) {
    auto* area = reinterpret_cast<VeloraLinkAreaAccessible*>(object);
    BuildLinks(area, false);
    return static_cast<gint>(area->links->len);
}

AtkObject* AreaChild(AtkObject* object, gint i) {
    auto* area = reinterpret_cast<VeloraLinkAreaAccessible*>(object);
    BuildLinks(area, false);
    if (i < 0 || i >= static_cast<gint>(area->links->len)) return nullptr;
    return ATK_OBJECT(g_object_ref(g_ptr_array_index(area->links, i)));
}

std::string AreaText(AtkText* text) {
    LinkAreaContent* content = ContentOfArea(ATK_OBJECT(text));
    std::string shown;
    if (content) velora::gtk::Guarded([&] { shown = content->ShownText(); });
    return shown;
}

gchar* AreaGetText(AtkText* text, gint start, gint end) {
    const std::string shown = AreaText(text);
    const glong length = g_utf8_strlen(shown.c_str(), -1);
    if (end < 0 || end > length) end = static_cast<gint>(length);
    if (start < 0) start = 0;
    if (start >= end) return g_strdup("");
    return g_utf8_substring(shown.c_str(), start, end);
}

gint AreaCharacterCount(AtkText* text) { return static_cast<gint>(g_utf8_strlen(AreaText(text).c_str(), -1)); }

void AreaTextInit(AtkTextIface* iface) {
    iface->get_text = &AreaGetText;
    iface->get_character_count = &AreaCharacterCount;
}

void AreaFinalize(GObject* object) {
    g_ptr_array_unref(reinterpret_cast<VeloraLinkAreaAccessible*>(object)->links);
    G_OBJECT_CLASS(velora_link_area_accessible_parent_class)->finalize(object);
}

void velora_link_area_accessible_init(VeloraLinkAreaAccessible* area) {
    area->links = g_ptr_array_new_with_free_func(&g_object_unref);
}

void velora_link_area_accessible_class_init(VeloraLinkAreaAccessibleClass* cls) {
    G_OBJECT_CLASS(cls)->finalize = &AreaFinalize;
    ATK_OBJECT_CLASS(cls)->get_n_children = &AreaChildCount;
    ATK_OBJECT_CLASS(cls)->ref_child = &AreaChild;
}

}  // namespace

namespace velora::gtk {

GtkWidget* NewLinkArea(LinkAreaContent& content) {
    auto* area = static_cast<VeloraLinkArea*>(g_object_new(velora_link_area_get_type(), nullptr));
    area->content = &content;
    return GTK_WIDGET(area);
}

void DetachLinkArea(GtkWidget* area) {
    if (ContentOf(area)) reinterpret_cast<VeloraLinkArea*>(area)->content = nullptr;
}

void LinkAreaLinksChanged(GtkWidget* area) {
    AtkObject* accessible = gtk_widget_get_accessible(area);
    if (!G_TYPE_CHECK_INSTANCE_TYPE(accessible, velora_link_area_accessible_get_type())) return;
    auto* links = reinterpret_cast<VeloraLinkAreaAccessible*>(accessible)->links;
    for (guint i = links->len; i > 0; --i)
        g_signal_emit_by_name(accessible, "children-changed::remove", i - 1, g_ptr_array_index(links, i - 1));
    BuildLinks(reinterpret_cast<VeloraLinkAreaAccessible*>(accessible), true);
    for (guint i = 0; i < links->len; ++i)
        g_signal_emit_by_name(accessible, "children-changed::add", i, g_ptr_array_index(links, i));
}

void LinkAreaFocusChanged(GtkWidget* area) {
    LinkAreaContent* content = ContentOf(area);
    AtkObject* accessible = gtk_widget_get_accessible(area);
    if (!content || !G_TYPE_CHECK_INSTANCE_TYPE(accessible, velora_link_area_accessible_get_type())) return;
    auto* self = reinterpret_cast<VeloraLinkAreaAccessible*>(accessible);
    BuildLinks(self, false);
    const int focused = gtk_widget_has_focus(area) ? content->FocusedLink() : -1;
    for (guint i = 0; i < self->links->len; ++i) {
        auto* link = ATK_OBJECT(g_ptr_array_index(self->links, i));
        atk_object_notify_state_change(link, ATK_STATE_FOCUSED, static_cast<int>(i) == focused);
        if (static_cast<int>(i) == focused) g_signal_emit_by_name(accessible, "active-descendant-changed", link);
    }
}

}  // namespace velora::gtk
