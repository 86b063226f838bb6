#include "gtk/controls/GtkComboBoxPeer.h"

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "gtk/controls/CairoCanvas.h"
#include "gtk/raii/ObjectRef.h"
#include "controls/ComboBox.h"
#include "controls/EffectiveFont.h"

namespace velora::gtk {

namespace {

// ---- The cell that draws through the peer -------------------------------------

struct DrawnCell {
    GtkCellRenderer parent;
    GtkComboBoxPeer* peer;
    int index;
};
struct DrawnCellClass {
    GtkCellRendererClass parent;
};

G_DEFINE_TYPE(DrawnCell, drawn_cell, GTK_TYPE_CELL_RENDERER)

void drawn_cell_init(DrawnCell* cell) {
    cell->peer = nullptr;
    cell->index = -1;
}

void DrawnCellRender(GtkCellRenderer* renderer, cairo_t* cr, GtkWidget* widget, const GdkRectangle*,
                     const GdkRectangle* area, GtkCellRendererState flags) {
    auto* cell = reinterpret_cast<DrawnCell*>(renderer);
    if (!cell->peer) return;
    controls::TOwnerDrawState state;
    if (flags & (GTK_CELL_RENDERER_SELECTED | GTK_CELL_RENDERER_PRELIT)) state.Include(controls::odSelected);
    if (flags & GTK_CELL_RENDERER_INSENSITIVE) state.Include(controls::odDisabled);
    if (flags & GTK_CELL_RENDERER_FOCUSED) state.Include(controls::odFocused);
    if (GTK_IS_CELL_VIEW(widget)) state.Include(controls::odComboBoxEdit);
    const controls::TRect rect{area->x, area->y, area->x + area->width, area->y + area->height};
    Guarded([&] { cell->peer->DrawEntry(widget, cr, cell->index, rect, state); });
}

void DrawnCellHeight(GtkCellRenderer* renderer, GtkWidget*, gint* minimum, gint* natural) {
    auto* cell = reinterpret_cast<DrawnCell*>(renderer);
    const int height = cell->peer ? cell->peer->EntryHeight() : 13;
    if (minimum) *minimum = height;
    if (natural) *natural = height;
}

void DrawnCellWidth(GtkCellRenderer*, GtkWidget*, gint* minimum, gint* natural) {
    // The field is as wide as the design says; the open list as wide as the field.
    if (minimum) *minimum = 20;
    if (natural) *natural = 150;
}

void drawn_cell_class_init(DrawnCellClass* cls) {
    auto* renderer = GTK_CELL_RENDERER_CLASS(cls);
    renderer->render = &DrawnCellRender;
    renderer->get_preferred_height = &DrawnCellHeight;
    renderer->get_preferred_width = &DrawnCellWidth;
}

// ---- The list, focused for screen readers while its button is ------------------

// The list hands the focus to the button inside it, whose accessible is no
// part of the tree: the list's own accessible reports the focus instead.
struct FocusedCombo {
    GtkComboBox parent;
};
struct FocusedComboClass {
    GtkComboBoxClass parent;
};
struct FocusedComboAccessible {
    GtkComboBoxAccessible parent;
};
struct FocusedComboAccessibleClass {
    GtkComboBoxAccessibleClass parent;
};

G_DEFINE_TYPE(FocusedComboAccessible, focused_combo_accessible, GTK_TYPE_COMBO_BOX_ACCESSIBLE)
G_DEFINE_TYPE(FocusedCombo, focused_combo, GTK_TYPE_COMBO_BOX)

bool InnerFocus(GtkWidget* combo) {
    GtkWidget* toplevel = gtk_widget_get_toplevel(combo);
    GtkWidget* focus = GTK_IS_WINDOW(toplevel) ? gtk_window_get_focus(GTK_WINDOW(toplevel)) : nullptr;
    return focus && focus != combo && gtk_widget_is_ancestor(focus, combo) && gtk_widget_has_focus(focus);
}

AtkStateSet* FocusedComboStates(AtkObject* accessible) {
    AtkStateSet* states = ATK_OBJECT_CLASS(focused_combo_accessible_parent_class)->ref_state_set(accessible);
    GtkWidget* combo = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
    if (combo && InnerFocus(combo)) atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    return states;
}

void focused_combo_accessible_init(FocusedComboAccessible*) {}
void focused_combo_accessible_class_init(FocusedComboAccessibleClass* cls) {
    ATK_OBJECT_CLASS(cls)->ref_state_set = &FocusedComboStates;
}

void focused_combo_init(FocusedCombo*) {}
void focused_combo_class_init(FocusedComboClass* cls) {
    gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(cls), focused_combo_accessible_get_type());
}

// The focus came into the list or left it: screen readers hear it from the list.
void InnerFocusChanged(GtkContainer* combo, GtkWidget*, gpointer) {
    atk_object_notify_state_change(gtk_widget_get_accessible(GTK_WIDGET(combo)), ATK_STATE_FOCUSED,
                                   InnerFocus(GTK_WIDGET(combo)));
}

// Tells the cell which entry it draws next.
void SetCellIndex(GtkCellLayout*, GtkCellRenderer* renderer, GtkTreeModel* model, GtkTreeIter* iter, gpointer) {
    gint index = -1;
    gtk_tree_model_get(model, iter, 0, &index, -1);
    reinterpret_cast<DrawnCell*>(renderer)->index = index;
}

}  // namespace

GtkComboBoxPeer::GtkComboBoxPeer(controls::TComboBox& comboBox, const GtkPeerContext& context)
    : GtkWidgetPeer(comboBox, context), comboBox_(comboBox) {
    // The entry's number, and its text as a screen reader reads it: the
    // list's accessible names itself after the chosen entry's text.
    const auto store = ObjectRef<GtkListStore>::Adopt(gtk_list_store_new(2, G_TYPE_INT, G_TYPE_STRING));
    GtkWidget* combo = GTK_WIDGET(g_object_new(focused_combo_get_type(), "model", store.Get(), nullptr));
    g_signal_connect_after(combo, "set-focus-child", G_CALLBACK(&InnerFocusChanged), nullptr);
    auto* cell = static_cast<DrawnCell*>(g_object_new(drawn_cell_get_type(), nullptr));
    cell->peer = this;
    gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo), GTK_CELL_RENDERER(cell), TRUE);
    gtk_cell_layout_set_cell_data_func(GTK_CELL_LAYOUT(combo), GTK_CELL_RENDERER(cell), &SetCellIndex, nullptr,
                                       nullptr);
    g_signal_connect(combo, "changed", G_CALLBACK(+[](GtkComboBox* box, gpointer data) {
                         auto* self = static_cast<GtkComboBoxPeer*>(data);
                         if (self->writingModel_) return;
                         const int index = gtk_combo_box_get_active(box);
                         Guarded([self, index] {
                             {
                                 FlagGuard guard(self->writingModel_);
                                 self->comboBox_.SetItemIndex(index);
                             }
                             if (self->comboBox_.OnChange) self->comboBox_.OnChange(&self->comboBox_);
                         });
                     }),
                     this);
    Place(combo);
    FillItems();
}

int GtkComboBoxPeer::EntryHeight() const { return comboBox_.ItemHeight() > 0 ? comboBox_.ItemHeight() : 13; }

void GtkComboBoxPeer::DrawEntry(GtkWidget* widget, cairo_t* cr, int index, const controls::TRect& area,
                                controls::TOwnerDrawState state) {
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    GdkRGBA color{0, 0, 0, 1};
    gtk_style_context_get_color(style, gtk_style_context_get_state(style), &color);
    const Rgb text{static_cast<std::uint8_t>(color.red * 255), static_cast<std::uint8_t>(color.green * 255),
                   static_cast<std::uint8_t>(color.blue * 255)};
    PangoFontDescription* font = NewFontDescription(controls::EffectiveFont(comboBox_));
    {
        CairoCanvas canvas(cr, font, text);
        if (index < 0 || index >= comboBox_.Items().Count()) {
            canvas.FillRect(area);
        } else if (comboBox_.OnDrawItem) {
            comboBox_.DrawItem(canvas, index, area, state);
        } else {
            canvas.FillRect(area);
            canvas.DrawTextAt(area.Left + 2, area.Top, comboBox_.Items()[index]);
        }
    }
    pango_font_description_free(font);
}

void GtkComboBoxPeer::FillItems() {
    FlagGuard guard(writingModel_);
    GtkListStore* store = GTK_LIST_STORE(gtk_combo_box_get_model(GTK_COMBO_BOX(widget_)));
    gtk_list_store_clear(store);
    for (int i = 0; i < comboBox_.Items().Count(); ++i)
        gtk_list_store_insert_with_values(store, nullptr, -1, 0, i, 1, DisplayText(comboBox_.ItemText(i)).c_str(), -1);
    ApplySelection();
    NameEntries();
}

// The open list's entries are drawn, not labelled: each is named after its text.
void GtkComboBoxPeer::NameEntries() {
    AtkObject* popup = gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(widget_));
    if (!popup) return;
    const int count = std::min(atk_object_get_n_accessible_children(popup), comboBox_.Items().Count());
    for (int i = 0; i < count; ++i) {
        const auto entry = ObjectRef<AtkObject>::Adopt(atk_object_ref_accessible_child(popup, i));
        if (entry) atk_object_set_name(entry.Get(), DisplayText(comboBox_.ItemText(i)).c_str());
    }
}

void GtkComboBoxPeer::ApplySelection() {
    FlagGuard guard(writingModel_);
    if (gtk_combo_box_get_active(GTK_COMBO_BOX(widget_)) != comboBox_.ItemIndex())
        gtk_combo_box_set_active(GTK_COMBO_BOX(widget_), comboBox_.ItemIndex());
}

bool GtkComboBoxPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Items" || property == "Sorted") {
        FillItems();
    } else if (property == "ItemIndex") {
        if (!writingModel_) ApplySelection();
    } else if (property == "ItemHeight" || property == "Style") {
        gtk_widget_queue_resize(widget_);
    } else if (property == "DropDownCount") {
        // The open list is the theme's menu; it shows as many as fit.
    } else {
        return false;
    }
    gtk_widget_queue_draw(widget_);
    return true;
}

}  // namespace velora::gtk
