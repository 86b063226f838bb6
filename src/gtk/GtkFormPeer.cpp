#include "gtk/GtkFormPeer.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/GtkMainLoop.h"
#include "gtk/WindowLook.h"
#include "gtk/controls/ControlPeerRegistry.h"
#include "gtk/controls/GtkColors.h"
#include "controls/Button.h"
#include "controls/DialogKeys.h"
#include "controls/EffectiveFont.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"

namespace velora::gtk {

namespace {

std::string FontCss(const controls::FontChoice& choice) {
    std::string css = "* {";
    // A face the system lacks falls back to the desktop's sans-serif face.
    if (!choice.Name.empty()) css += " font-family: \"" + ToUtf8(choice.Name) + "\", sans-serif;";
    if (choice.Size > 0) css += " font-size: " + std::to_string(choice.Size) + "pt;";
    css += choice.Style.Contains(controls::fsBold) ? " font-weight: bold;" : " font-weight: normal;";
    if (choice.Style.Contains(controls::fsItalic)) css += " font-style: italic;";
    if (choice.Style.Contains(controls::fsUnderline)) css += " text-decoration-line: underline;";
    if (const auto rgb = PlainColor(choice.Color)) css += " color: " + CssColor(*rgb) + ";";
    return css + " }";
}

}  // namespace

GtkFormPeer::GtkFormPeer(controls::TForm& form, GtkMainLoop& loop, controls::WindowCreation creation)
    : form_(&form), loop_(loop), peers_(form, BuiltInPeers(), *this) {
    form.SetPeer(this);
    peers_.Open(creation);
}

GtkFormPeer::~GtkFormPeer() {
    if (!window_) {
        peers_.Clear();
        return;
    }
    // From here on the window's signals reach nobody: the form may be gone,
    // and so may the components the peers show.
    g_signal_handlers_disconnect_by_data(window_.Get(), this);
    peers_.Clear();
    gtk_widget_destroy(window_.Get());
}

void GtkFormPeer::CreateFormWindow() {
    EnsureFormLook();
    window_ = ObjectRef<GtkWidget>::Sink(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    GtkWidget* window = window_.Get();
    gtk_widget_set_name(window, std::string(form_->ClassName()).c_str());
    gtk_window_set_title(GTK_WINDOW(window), ToUtf8(form_->Caption()).c_str());
    fixed_ = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window), fixed_);
    gtk_widget_show(fixed_);
    g_signal_connect(window, "delete-event", G_CALLBACK(&GtkFormPeer::DeleteRequested), this);
    g_signal_connect(window, "key-press-event", G_CALLBACK(&GtkFormPeer::KeyPressed), this);
    g_signal_connect(window, "configure-event", G_CALLBACK(&GtkFormPeer::Configured), this);
    FormPropertyChanged("BorderStyle");
}

GtkPeerContext GtkFormPeer::PeerContext() { return GtkPeerContext{loop_, *form_, window_.Get(), fixed_, *this}; }

void GtkFormPeer::AccessibleNamesChanged() {
    for (const auto& child : peers_.Children()) child.peer->ApplyAccessibility();
}

void GtkFormPeer::ApplyFont(GtkWidget* widget, const controls::TControl& control) {
    const std::string css = FontCss(controls::EffectiveFont(control));
    ObjectRef<GtkCssProvider>& owned = fonts_[css];
    if (!owned) {
        owned = ObjectRef<GtkCssProvider>::Adopt(gtk_css_provider_new());
        gtk_css_provider_load_from_data(owned.Get(), css.c_str(), -1, nullptr);
    }
    GtkCssProvider* provider = owned.Get();
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    if (auto* old = static_cast<GtkCssProvider*>(g_object_get_data(G_OBJECT(widget), "velora-font")))
        gtk_style_context_remove_provider(style, GTK_STYLE_PROVIDER(old));
    gtk_style_context_add_provider(style, GTK_STYLE_PROVIDER(provider), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_set_data(G_OBJECT(widget), "velora-font", provider);
}

void GtkFormPeer::UpdateFocusChain() {
    std::vector<GtkWidget*> chain;
    for (controls::TControl* control : controls::TabSequence(*form_))
        if (GtkControlPeer* peer = PeerOf(*control)) peer->CollectFocusChain(chain);
    GList* list = nullptr;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) list = g_list_prepend(list, *it);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(fixed_), list);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(list);
}

// Size from the client size when the form names one, else its outer size;
// position from the model, or centred on the screen.
void GtkFormPeer::ApplyBounds() {
    int width = form_->ClientWidth() > 0 ? form_->ClientWidth() : form_->Width();
    int height = form_->ClientHeight() > 0 ? form_->ClientHeight() : form_->Height();
    applyingBounds_ = true;
    gtk_widget_set_size_request(fixed_, width, height);
    gtk_window_resize(GTK_WINDOW(window_.Get()), width, height);
    const auto position = form_->Position();
    if (position == controls::poScreenCenter || position == controls::poDesktopCenter ||
        position == controls::poMainFormCenter || position == controls::poOwnerFormCenter) {
        gtk_window_set_position(GTK_WINDOW(window_.Get()), GTK_WIN_POS_CENTER);
    } else {
        gtk_window_set_position(GTK_WINDOW(window_.Get()), GTK_WIN_POS_NONE);
        gtk_window_move(GTK_WINDOW(window_.Get()), form_->Left(), form_->Top());
    }
    applyingBounds_ = false;
}

void GtkFormPeer::PropertyChanged(component::TComponent& component, std::string_view property) {
    peers_.PropertyChanged(component, property);
}

void GtkFormPeer::FormPropertyChanged(std::string_view property) {
    if (followingWindow_ && (property == "Left" || property == "Top")) return;
    if (property == "Caption") {
        gtk_window_set_title(GTK_WINDOW(window_.Get()), ToUtf8(form_->Caption()).c_str());
    } else if (property == "Visible") {
        if (form_->Visible()) {
            ApplyBounds();
            gtk_widget_show(window_.Get());
        } else {
            gtk_widget_hide(window_.Get());
        }
    } else if (property == "Enabled") {
        gtk_widget_set_sensitive(fixed_, form_->Enabled());
    } else if (property == "Left" || property == "Top" || property == "Width" || property == "Height" ||
               property == "ClientWidth" || property == "ClientHeight" || property == "Position") {
        ApplyBounds();
    } else if (property == "BorderStyle" || property == "BorderIcons") {
        const auto style = form_->BorderStyle();
        gtk_window_set_resizable(GTK_WINDOW(window_.Get()),
                                 style == controls::bsSizeable || style == controls::bsSizeToolWin);
        gtk_window_set_decorated(GTK_WINDOW(window_.Get()), style != controls::bsNone);
        gtk_window_set_type_hint(GTK_WINDOW(window_.Get()), style == controls::bsDialog ? GDK_WINDOW_TYPE_HINT_DIALOG
                                                                             : GDK_WINDOW_TYPE_HINT_NORMAL);
        // A dialog frame offers only the close box.
        gtk_window_set_deletable(GTK_WINDOW(window_.Get()), form_->BorderIcons().Contains(controls::biSystemMenu));
        ApplyBounds();
    }
}

// Presenting would also show a hidden window, which the model keeps hidden.
void GtkFormPeer::BringToFront(controls::TForm&) {
    peers_.EnsureWindow();
    if (form_->Visible()) gtk_window_present(GTK_WINDOW(window_.Get()));
}

void GtkFormPeer::RunModal(controls::TForm& form) {
    peers_.EnsureWindow();
    // The other windows of the program take no input while the dialog runs.
    gtk_window_set_modal(GTK_WINDOW(window_.Get()), TRUE);
    struct Modeless {
        GtkWidget* window;
        ~Modeless() { gtk_window_set_modal(GTK_WINDOW(window), FALSE); }
    } modeless{window_.Get()};
    for (;;) {
        // An end of the program requested meanwhile closes the dialog.
        if (loop_.Terminated() && form.ModalResult() == controls::mrNone) form.SetModalResult(controls::mrCancel);
        if (form.ModalResult() != controls::mrNone) {
            if (form.CloseModal()) break;
            continue;
        }
        loop_.Iterate();
    }
}

void GtkFormPeer::HandleError(std::exception_ptr error) { ShowException(error); }

bool GtkFormPeer::PressDefaultButton() {
    controls::TButton* button = controls::DefaultButton(*form_);
    GtkControlPeer* peer = button ? PeerOf(*button) : nullptr;
    return peer && peer->Press();
}

int GtkFormPeer::KeyPressed(GtkWidget*, void* event, void* self) {
    auto* peer = static_cast<GtkFormPeer*>(self);
    const auto* key = static_cast<GdkEventKey*>(event);
    try {
        const auto modifiers = key->state & gtk_accelerator_get_default_mod_mask();
        // Esc as the close box: the cancel button, else the form closes.
        if (key->keyval == GDK_KEY_Escape && modifiers == 0) {
            controls::CancelDialog(*peer->form_);
            return TRUE;
        }
        // Enter presses the default button unless a button has the focus
        // (it takes Enter itself), a multi-line text or a link does.
        if (key->keyval == GDK_KEY_Return || key->keyval == GDK_KEY_KP_Enter) {
            GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(peer->window_.Get()));
            if (focus && (GTK_IS_BUTTON(focus) ||
                          (GTK_IS_TEXT_VIEW(focus) && gtk_text_view_get_editable(GTK_TEXT_VIEW(focus))) ||
                          g_object_get_data(G_OBJECT(focus), kTakesEnter)))
                return FALSE;
            return peer->PressDefaultButton();
        }
    } catch (...) {
        ShowException(std::current_exception());
        return TRUE;
    }
    return FALSE;
}

int GtkFormPeer::DeleteRequested(GtkWidget*, void*, void* self) {
    Guarded([&] { static_cast<GtkFormPeer*>(self)->form_->Close(); });
    return TRUE;  // the window stays; the model decides whether it hides
}

// The user moved the window: the model's edges follow, so that the stored
// position is where the window really was.
int GtkFormPeer::Configured(GtkWidget* widget, void*, void* self) {
    auto* peer = static_cast<GtkFormPeer*>(self);
    if (peer->applyingBounds_ || !gtk_widget_get_visible(widget)) return FALSE;
    int left = 0, top = 0;
    gtk_window_get_position(GTK_WINDOW(widget), &left, &top);
    if (left == peer->form_->Left() && top == peer->form_->Top()) return FALSE;
    peer->followingWindow_ = true;
    try {
        peer->form_->SetLeft(left);
        peer->form_->SetTop(top);
    } catch (...) {
        peer->followingWindow_ = false;
        ShowException(std::current_exception());
        return FALSE;
    }
    peer->followingWindow_ = false;
    return FALSE;
}

}  // namespace velora::gtk
