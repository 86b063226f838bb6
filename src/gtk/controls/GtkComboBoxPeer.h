#pragma once
// A combo box: a GtkComboBox over a list of entry numbers, in the model's
// order (the model sorts). Every entry, in the open list and in the field,
// is drawn by a cell of our own that hands it to the model's OnDrawItem on a
// CairoCanvas (the country list draws name and dialling code in two
// columns); without OnDrawItem the entry's text is drawn. The selection
// follows ItemIndex both ways, and the user's choice runs OnChange. Screen
// readers read each entry, and the list, by the entry's ItemText.

#include "gtk/controls/GtkWidgetPeer.h"
#include "controls/Canvas.h"

namespace velora::controls {
class TComboBox;
}  // namespace velora::controls

typedef struct _cairo cairo_t;

namespace velora::gtk {

class GtkComboBoxPeer : public GtkWidgetPeer {
public:
    GtkComboBoxPeer(controls::TComboBox& comboBox, const GtkPeerContext& context);

    // For the cell: draws entry `index` into `area` of `widget`.
    void DrawEntry(GtkWidget* widget, cairo_t* cr, int index, const controls::TRect& area,
                   controls::TOwnerDrawState state);
    int EntryHeight() const;
    // The list reads as its chosen entry (the label before it relates to it
    // as its mnemonic widget); no name of its own.
    void ApplyAccessibility() override {}

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override {}

private:
    void FillItems();
    void ApplySelection();
    void NameEntries();

    controls::TComboBox& comboBox_;
};

}  // namespace velora::gtk
