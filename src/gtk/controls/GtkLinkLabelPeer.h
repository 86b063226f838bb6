#pragma once
// The link label: a drawing area at the control's place that draws the
// caption as the model lays it out (the same word-wrapping layout as on
// Windows, measured with pango in the label's font), plain text in the
// label's font colour, links in their link colours and style; it shows the
// hand over links and hands the mouse to the model, which reports clicks as
// OnLinkClick. Tab walks its links (the focused one framed), Enter or Space
// opens it, and screen readers read the text and each link
// (GtkLinkArea.h).

#include <array>
#include <functional>

#include "gtk/controls/GtkLinkArea.h"
#include "gtk/controls/GtkWidgetPeer.h"
#include "controls/Font.h"

namespace velora::controls {
class TLinkLabel;
}  // namespace velora::controls

typedef struct _cairo cairo_t;
typedef struct _PangoFontDescription PangoFontDescription;

namespace velora::gtk {

class GtkLinkLabelPeer : public GtkWidgetPeer, private LinkAreaContent {
public:
    GtkLinkLabelPeer(controls::TLinkLabel& label, const GtkPeerContext& context);
    ~GtkLinkLabelPeer() override;

    // The label's font with exactly `style` added; owned by the peer.
    const PangoFontDescription* StyledFont(controls::TFontStyles style);

protected:
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyFont() override;
    void ApplyCaption() override;

private:
    void Draw(cairo_t* cr);
    void Redraw();
    void ReleaseFonts();
    void UpdateCursor(bool overLink);
    // Runs a mouse action of the model and redraws when a link's state changed.
    void Track(const std::function<void()>& mouseAction);
    void DrawFocus(cairo_t* cr, int left, int top);
    bool KeyPressed(unsigned keyval);

    std::string ShownText() const override;
    int LinkCount() const override;
    std::string LinkText(int link) const override;
    int FocusedLink() const override;
    bool EnterFocus(bool forward) override;
    bool MoveFocus(bool forward) override;
    void ActivateLink(int link) override;

    controls::TLinkLabel& label_;
    std::array<PangoFontDescription*, 16> fonts_{};
};

}  // namespace velora::gtk
