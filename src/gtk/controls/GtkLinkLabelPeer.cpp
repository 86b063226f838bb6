#include "gtk/controls/GtkLinkLabelPeer.h"

#include <gtk/gtk.h>
#include <pango/pangocairo.h>

#include <vector>

#include "gtk/AnsiText.h"
#include "gtk/controls/CairoCanvas.h"
#include "gtk/controls/GtkColors.h"
#include "gtk/raii/ObjectRef.h"
#include "controls/EffectiveFont.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/linklabel/LinkLabelRedraw.h"

namespace velora::gtk {

namespace {

// Measures with the peer's styled fonts on one pango layout.
class PangoTextMeasurer : public controls::TTextMeasurer {
public:
    PangoTextMeasurer(PangoLayout* layout, GtkLinkLabelPeer& peer) : layout_(layout), peer_(peer) {}

    controls::TTextSize MeasureText(const std::string& text, controls::TFontStyles style) override {
        pango_layout_set_font_description(layout_, peer_.StyledFont(style));
        pango_layout_set_text(layout_, ToUtf8(text).c_str(), -1);
        int width = 0, height = 0;
        pango_layout_get_pixel_size(layout_, &width, &height);
        return {width, height};
    }

private:
    PangoLayout* layout_;
    GtkLinkLabelPeer& peer_;
};

Rgb ThemeTextColor(GtkWidget* widget) {
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    GdkRGBA color{0, 0, 0, 1};
    gtk_style_context_get_color(style, gtk_style_context_get_state(style), &color);
    return {static_cast<std::uint8_t>(color.red * 255), static_cast<std::uint8_t>(color.green * 255),
            static_cast<std::uint8_t>(color.blue * 255)};
}

}  // namespace

GtkLinkLabelPeer::GtkLinkLabelPeer(controls::TLinkLabel& label, const GtkPeerContext& context)
    : GtkWidgetPeer(label, context), label_(label) {
    GtkWidget* area = NewLinkArea(*this);
    gtk_widget_add_events(area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_LEAVE_NOTIFY_MASK | GDK_KEY_PRESS_MASK | GDK_FOCUS_CHANGE_MASK);
    g_object_set_data(G_OBJECT(area), kTakesEnter, GINT_TO_POINTER(1));
    g_signal_connect(area, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, gpointer self) -> gboolean {
                         bool handled = false;
                         Guarded([&] { handled = static_cast<GtkLinkLabelPeer*>(self)->KeyPressed(key->keyval); });
                         return handled;
                     }),
                     this);
    // A click or the window's activation may bring the focus without Tab:
    // the first link takes it then.
    g_signal_connect(area, "focus-in-event", G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, gpointer data) -> gboolean {
                         auto* self = static_cast<GtkLinkLabelPeer*>(data);
                         Guarded([self] {
                             if (self->label_.FocusedLink() < 0) self->label_.EnterFocus(true);
                         });
                         LinkAreaFocusChanged(widget);
                         self->Redraw();
                         return FALSE;
                     }),
                     this);
    g_signal_connect(area, "focus-out-event", G_CALLBACK(+[](GtkWidget* widget, GdkEvent*, gpointer data) -> gboolean {
                         LinkAreaFocusChanged(widget);
                         static_cast<GtkLinkLabelPeer*>(data)->Redraw();
                         return FALSE;
                     }),
                     this);
    g_signal_connect(area, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer self) {
                         Guarded([&] { static_cast<GtkLinkLabelPeer*>(self)->Draw(cr); });
                         return FALSE;
                     }),
                     this);
    g_signal_connect(area, "motion-notify-event", G_CALLBACK(+[](GtkWidget*, GdkEventMotion* event, gpointer data) {
                         auto* self = static_cast<GtkLinkLabelPeer*>(data);
                         bool overLink = false;
                         self->Track([&] {
                             overLink = self->label_.MouseMove(static_cast<int>(event->x), static_cast<int>(event->y));
                         });
                         self->UpdateCursor(overLink);
                         return TRUE;
                     }),
                     this);
    g_signal_connect(area, "leave-notify-event", G_CALLBACK(+[](GtkWidget*, GdkEventCrossing*, gpointer data) {
                         auto* self = static_cast<GtkLinkLabelPeer*>(data);
                         self->Track([self] { self->label_.MouseLeave(); });
                         self->UpdateCursor(false);
                         return FALSE;
                     }),
                     this);
    // GTK grabs the pointer from a press to its release by itself, so a
    // release outside the label still arrives here.
    g_signal_connect(area, "button-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventButton* event, gpointer data) {
                         auto* self = static_cast<GtkLinkLabelPeer*>(data);
                         if (event->type != GDK_BUTTON_PRESS) return TRUE;
                         self->Track([&] {
                             self->label_.MouseDown(static_cast<int>(event->x), static_cast<int>(event->y));
                         });
                         return TRUE;
                     }),
                     this);
    g_signal_connect(area, "button-release-event", G_CALLBACK(+[](GtkWidget*, GdkEventButton* event, gpointer data) {
                         auto* self = static_cast<GtkLinkLabelPeer*>(data);
                         self->Track([&] {
                             self->label_.MouseUp(static_cast<int>(event->x), static_cast<int>(event->y));
                         });
                         return TRUE;
                     }),
                     this);
    g_signal_connect(area, "grab-broken-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer data) {
                         auto* self = static_cast<GtkLinkLabelPeer*>(data);
                         self->Track([self] { self->label_.MouseCancel(); });
                         return FALSE;
                     }),
                     this);
    Place(area);
}

GtkLinkLabelPeer::~GtkLinkLabelPeer() {
    // The base class destroys the widget; its last signals must not reach
    // this half-destroyed peer, nor its accessibles ask it anything.
    if (widget_) DetachLinkArea(widget_);
    Discard(widget_);
    widget_ = nullptr;
    ReleaseFonts();
}

const PangoFontDescription* GtkLinkLabelPeer::StyledFont(controls::TFontStyles style) {
    const std::size_t index = style.ToBits() & 0x0Fu;
    if (!fonts_[index]) {
        controls::FontChoice choice = controls::EffectiveFont(label_);
        choice.Style = style;
        fonts_[index] = NewFontDescription(choice);
    }
    return fonts_[index];
}

void GtkLinkLabelPeer::ReleaseFonts() {
    for (PangoFontDescription*& font : fonts_) {
        if (font) pango_font_description_free(font);
        font = nullptr;
    }
}

void GtkLinkLabelPeer::ApplyFont() {
    ReleaseFonts();
    Redraw();
}

void GtkLinkLabelPeer::ApplyCaption() {
    Redraw();
    if (widget_) LinkAreaLinksChanged(widget_);
}

bool GtkLinkLabelPeer::KeyPressed(unsigned keyval) {
    if (keyval != GDK_KEY_Return && keyval != GDK_KEY_KP_Enter && keyval != GDK_KEY_space && keyval != GDK_KEY_KP_Space)
        return false;
    if (label_.FocusedLink() < 0) return false;
    label_.ActivateFocusedLink();
    return true;
}

std::string GtkLinkLabelPeer::ShownText() const { return DisplayText(label_.PlainText()); }
int GtkLinkLabelPeer::LinkCount() const { return label_.Tree().LinkCount(); }
std::string GtkLinkLabelPeer::LinkText(int link) const {
    const controls::TLinkNode* node = label_.Tree().Link(link);
    return node ? DisplayText(node->Text()) : std::string();
}
int GtkLinkLabelPeer::FocusedLink() const { return label_.FocusedLink(); }
bool GtkLinkLabelPeer::EnterFocus(bool forward) { return label_.EnterFocus(forward); }
bool GtkLinkLabelPeer::MoveFocus(bool forward) { return label_.MoveFocus(forward); }

// A screen reader's "click" on a link: as a click with the mouse.
void GtkLinkLabelPeer::ActivateLink(int link) {
    const controls::TLinkNode* node = label_.Tree().Link(link);
    if (!node) return;
    // Copies: the handler may set a new caption, which frees the tree.
    const int number = node->Number();
    const std::string text = node->Text();
    const std::string param = node->Param();
    label_.LinkClick(number, text, param);
}

bool GtkLinkLabelPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "LinkFocus") {
        Redraw();
        if (widget_) LinkAreaFocusChanged(widget_);
        return true;
    }
    if (!controls::OnlyRedrawsLinkLabel(property)) return false;
    Redraw();
    return true;
}

void GtkLinkLabelPeer::Redraw() {
    if (widget_) gtk_widget_queue_draw(widget_);
}

void GtkLinkLabelPeer::UpdateCursor(bool overLink) {
    GdkWindow* window = gtk_widget_get_window(widget_);
    if (!window) return;
    ObjectRef<GdkCursor> cursor;
    if (overLink) cursor.Reset(gdk_cursor_new_from_name(gtk_widget_get_display(widget_), "pointer"));
    gdk_window_set_cursor(window, cursor.Get());
}

void GtkLinkLabelPeer::Track(const std::function<void()>& mouseAction) {
    const auto states = [this] {
        std::vector<controls::TLinkState> result;
        const controls::TNodeTree& tree = label_.Tree();
        for (int i = 0; i < tree.LinkCount(); ++i) result.push_back(tree.Link(i)->State());
        return result;
    };
    Guarded([&] {
        const std::vector<controls::TLinkState> before = states();
        mouseAction();
        if (states() != before) Redraw();
    });
}

// Without Transparent the label's own colour first; with it, whatever lies
// behind the label shows.
void GtkLinkLabelPeer::Draw(cairo_t* cr) {
    const int width = gtk_widget_get_allocated_width(widget_);
    const int height = gtk_widget_get_allocated_height(widget_);
    if (width <= 0 || height <= 0) return;
    if (!label_.Transparent()) {
        if (const auto background = PlainColor(label_.Color())) {
            SetSourceColor(cr, *background);
            cairo_paint(cr);
        } else {
            // A system colour: the window's own background, as the theme draws it.
            gtk_render_background(gtk_widget_get_style_context(context_.window), cr, 0, 0, width, height);
        }
    }
    const auto owned = ObjectRef<PangoLayout>::Adopt(pango_cairo_create_layout(cr));
    PangoLayout* layout = owned.Get();
    PangoTextMeasurer measurer(layout, *this);
    if (!label_.Arrange(measurer)) {
        // The height followed the text: the widget is resized and drawn anew.
        ApplyBounds();
        Redraw();
        return;
    }
    const int left = label_.OriginX();
    const int top = label_.OriginY();
    // The text stays inside the margins.
    cairo_rectangle(cr, left, top, width - 2 * label_.MarginWidth() + 1, height - 2 * label_.MarginHeight() + 1);
    cairo_clip(cr);
    const Rgb themeText = ThemeTextColor(widget_);
    for (const controls::TPlacedWord& word : label_.CurrentLayout().Words) {
        pango_layout_set_font_description(layout, StyledFont(word.Style));
        const std::string text = ToUtf8(word.Text);
        pango_layout_set_text(layout, text.c_str(), -1);
        PangoAttrList* attributes = pango_attr_list_new();
        if (word.Style.Contains(controls::fsUnderline))
            pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (word.Style.Contains(controls::fsStrikeOut))
            pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
        SetSourceColor(cr, PlainColor(label_.WordColor(word)).value_or(themeText));
        cairo_move_to(cr, left + word.Bounds.Left, top + word.Bounds.Top);
        pango_cairo_show_layout(cr, layout);
        pango_layout_set_attributes(layout, nullptr);
    }
    DrawFocus(cr, left, top);
}

// The focused link is framed with a dotted line in its colour.
void GtkLinkLabelPeer::DrawFocus(cairo_t* cr, int left, int top) {
    const int link = label_.FocusedLink();
    const auto& areas = label_.CurrentLayout().LinkAreas;
    if (!gtk_widget_has_focus(widget_) || link < 0 || link >= static_cast<int>(areas.size())) return;
    SetSourceColor(cr, PlainColor(label_.LinkColor()).value_or(Rgb{0, 0, 255}));
    const double dash = 1.0;
    cairo_set_dash(cr, &dash, 1, 0);
    cairo_set_line_width(cr, 1.0);
    for (const controls::TRect& r : areas[static_cast<std::size_t>(link)])
        cairo_rectangle(cr, left + r.Left + 0.5, top + r.Top + 0.5, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    cairo_stroke(cr);
}

}  // namespace velora::gtk
