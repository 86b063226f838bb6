#include "gtk/controls/GtkRadioGroupPeer.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "gtk/AnsiText.h"
#include "gtk/GtkFormPeer.h"
#include "controls/FormLayout.h"
#include "controls/RadioGroup.h"
#include "controls/peers/ShownHint.h"

namespace velora::gtk {

GtkRadioGroupPeer::GtkRadioGroupPeer(controls::TRadioGroup& radioGroup, const GtkPeerContext& context)
    : GtkWidgetPeer(radioGroup, context), radioGroup_(radioGroup) {
    Place(gtk_frame_new(nullptr));
    ApplyCaption();
    CreateButtons();
}

GtkRadioGroupPeer::~GtkRadioGroupPeer() { DestroyButtons(); }

void GtkRadioGroupPeer::CreateButtons() {
    noneButton_ = ObjectRef<GtkWidget>::Sink(gtk_radio_button_new(nullptr));
    const component::TStrings& items = radioGroup_.Items();
    for (int i = 0; i < items.Count(); ++i) {
        GtkWidget* button = gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(noneButton_.Get()),
                                                                           MnemonicUtf8(items[i]).c_str());
        g_signal_connect(button, "toggled", G_CALLBACK(+[](GtkWidget* widget, gpointer self) {
                             static_cast<GtkRadioGroupPeer*>(self)->ButtonToggled(widget);
                         }),
                         this);
        buttons_.push_back(button);
        PlaceAt(button, 0, 0, -1, -1);
        context_.formPeer.ApplyFont(button, radioGroup_);
    }
    ApplyBounds();
    ApplySelection();
    ApplyEnabled();
    ApplyHint();
    ApplyVisible();
}

void GtkRadioGroupPeer::DestroyButtons() {
    for (GtkWidget* button : buttons_) Discard(button);
    buttons_.clear();
    if (noneButton_) {
        gtk_widget_destroy(noneButton_.Get());
        noneButton_.Reset();
    }
}

void GtkRadioGroupPeer::CollectFocusChain(std::vector<GtkWidget*>& chain) const {
    chain.insert(chain.end(), buttons_.begin(), buttons_.end());
}

void GtkRadioGroupPeer::ApplySelection() {
    FlagGuard guard(writingModel_);
    const int selected = radioGroup_.ItemIndex();
    GtkWidget* active = selected >= 0 && selected < static_cast<int>(buttons_.size())
                            ? buttons_[static_cast<std::size_t>(selected)]
                            : noneButton_.Get();
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(active), TRUE);
}

void GtkRadioGroupPeer::ButtonToggled(GtkWidget* button) {
    // Each change toggles two buttons; the one becoming active counts.
    if (writingModel_ || !gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button))) return;
    const auto found = std::find(buttons_.begin(), buttons_.end(), button);
    if (found == buttons_.end()) return;
    Guarded([&] {
        FlagGuard guard(writingModel_);
        radioGroup_.SetItemIndex(static_cast<int>(found - buttons_.begin()));
    });
    // The model may have refused or changed the choice: show what it holds.
    ApplySelection();
}

bool GtkRadioGroupPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Items") {
        const component::TStrings& items = radioGroup_.Items();
        if (items.Count() == static_cast<int>(buttons_.size())) {
            // A translation: new captions only. The change may come from a
            // button's own toggle, during which it must not be destroyed.
            for (int i = 0; i < items.Count(); ++i)
                gtk_button_set_label(GTK_BUTTON(buttons_[static_cast<std::size_t>(i)]), MnemonicUtf8(items[i]).c_str());
            ApplySelection();
        } else {
            DestroyButtons();
            CreateButtons();
            context_.formPeer.UpdateFocusChain();
        }
    } else if (property == "ItemIndex") {
        if (!writingModel_) ApplySelection();
    } else if (property == "Columns") {
        ApplyBounds();
    } else {
        return false;
    }
    return true;
}

int GtkRadioGroupPeer::TextHeight() const {
    const auto layout = ObjectRef<PangoLayout>::Adopt(gtk_widget_create_pango_layout(widget_, "Ag"));
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout.Get(), &width, &height);
    return height;
}

void GtkRadioGroupPeer::ApplyBounds() {
    GtkWidgetPeer::ApplyBounds();
    const controls::TPoint at = controls::PositionOnForm(radioGroup_);
    const auto bounds = controls::RadioButtonBounds(radioGroup_.Width(), radioGroup_.Height(),
                                              static_cast<int>(buttons_.size()), radioGroup_.Columns(), TextHeight());
    for (std::size_t i = 0; i < buttons_.size() && i < bounds.size(); ++i) {
        const controls::TRect& b = bounds[i];
        PlaceAt(buttons_[i], at.X + b.Left, at.Y + b.Top, b.Right - b.Left, b.Bottom - b.Top);
    }
}

void GtkRadioGroupPeer::ApplyVisible() {
    GtkWidgetPeer::ApplyVisible();
    for (GtkWidget* button : buttons_) gtk_widget_set_visible(button, controls::VisibleOnForm(radioGroup_));
}

void GtkRadioGroupPeer::ApplyEnabled() {
    GtkWidgetPeer::ApplyEnabled();
    for (GtkWidget* button : buttons_) gtk_widget_set_sensitive(button, controls::EnabledOnForm(radioGroup_));
}

void GtkRadioGroupPeer::ApplyFont() {
    GtkWidgetPeer::ApplyFont();
    for (GtkWidget* button : buttons_) context_.formPeer.ApplyFont(button, radioGroup_);
    ApplyBounds();
}

void GtkRadioGroupPeer::ApplyHint() {
    GtkWidgetPeer::ApplyHint();
    const std::string hint = controls::ShownHint(control_);
    for (GtkWidget* button : buttons_)
        gtk_widget_set_tooltip_text(button, hint.empty() ? nullptr : DisplayText(hint).c_str());
}

void GtkRadioGroupPeer::ApplyCaption() {
    const std::string caption = radioGroup_.Caption();
    gtk_frame_set_label(GTK_FRAME(widget_), caption.empty() ? nullptr : DisplayText(caption).c_str());
}

}  // namespace velora::gtk
