#pragma once
// A radio group: a frame with its caption, and one radio button per item
// placed inside it as the Windows group lays them out (RadioButtonBounds).
// The user's choice writes ItemIndex into the model.

#include <vector>

#include "gtk/controls/GtkWidgetPeer.h"
#include "gtk/raii/ObjectRef.h"

namespace velora::controls {
class TRadioGroup;
}  // namespace velora::controls

namespace velora::gtk {

class GtkRadioGroupPeer : public GtkWidgetPeer {
public:
    GtkRadioGroupPeer(controls::TRadioGroup& radioGroup, const GtkPeerContext& context);
    ~GtkRadioGroupPeer() override;

    void CollectFocusChain(std::vector<GtkWidget*>& chain) const override;

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyBounds() override;
    void ApplyVisible() override;
    void ApplyEnabled() override;
    void ApplyFont() override;
    void ApplyHint() override;
    void ApplyCaption() override;

private:
    void CreateButtons();
    void DestroyButtons();
    void ApplySelection();
    void ButtonToggled(GtkWidget* button);
    int TextHeight() const;

    controls::TRadioGroup& radioGroup_;
    std::vector<GtkWidget*> buttons_;
    // Stands for "none selected": GTK always has one button of a group active.
    ObjectRef<GtkWidget> noneButton_;
};

}  // namespace velora::gtk
