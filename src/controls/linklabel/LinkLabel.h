#pragma once
// The model of a label whose caption carries a small tag markup, parts of it
// links ("Jetzt bei VELORA <link>registrieren</link>"). It holds the values,
// the parsed caption, its last layout and the links' mouse states; the peer
// measures and draws the laid-out words and passes the mouse and the keys on.
// It takes part in the tab order: Tab reaches its links one by one, Enter or
// Space opens the one that has the focus.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "controls/linklabel/LinkLabelLayout.h"
#include "controls/linklabel/LinkLabelMouse.h"
#include "controls/linklabel/LinkLabelNodes.h"
#include "controls/Control.h"
#include "controls/DpiScale.h"
#include "component/Strings.h"

namespace velora::controls {

using TLinkClickEvent = std::function<void(component::TComponent* sender, int linkNumber,
                                           const std::string& linkText, const std::string& linkParam)>;

class TLinkLabel : public TWinControl {
public:
    explicit TLinkLabel(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // A new caption replaces Text by one line, the caption, and raises
    // OnCaptionChanged; setting the caption it already has does nothing.
    void SetCaption(const std::string& caption) override;
    // The caption as lines. Assigning a list sets the caption to its lines,
    // each followed by CR LF; changing lines in place changes nothing else.
    component::TStrings& Text() const { return *text_; }
    void SetText(const component::TStrings& lines);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    // The height follows the text.
    bool AutoHeight() const { return autoHeight_; }
    void SetAutoHeight(bool autoHeight);
    // Whether hovering a link recolours it.
    bool HotLinks() const { return hotLinks_; }
    void SetHotLinks(bool hotLinks);
    TColor LinkColor() const { return linkColor_; }
    void SetLinkColor(TColor color);
    TColor LinkColorClicked() const { return linkColorClicked_; }
    void SetLinkColorClicked(TColor color);
    TColor LinkColorHot() const { return linkColorHot_; }
    void SetLinkColorHot(TColor color);
    // Style added to a link's text.
    TFontStyles LinkStyle() const { return linkStyle_; }
    void SetLinkStyle(TFontStyles style);
    int MarginWidth() const { return marginWidth_; }
    void SetMarginWidth(int width);
    int MarginHeight() const { return marginHeight_; }
    void SetMarginHeight(int height);

    // The parsed caption; replaced whenever the caption changes.
    const TNodeTree& Tree() const { return *tree_; }

    // Lays the caption out for the current size, margins and font, measured
    // by `measurer` (the peer does so before each paint). With AutoHeight, a
    // height that does not fit the text is changed instead and false is
    // returned: the control is painted again at its new height.
    // The layout is in pixels of `scale`, the density the measurer measures
    // at: size and margins are scaled, and the height AutoHeight stores is
    // the smallest designed height that holds the text there.
    bool Arrange(TTextMeasurer& measurer, const DpiScale& scale = DpiScale());
    // The last layout, and where its text block stands in the control, in
    // the pixels it was laid out in; so are the mouse positions below.
    const TLinkLabelLayout& CurrentLayout() const { return arrangement_; }
    int OriginX() const { return originX_; }
    int OriginY() const { return originY_; }
    // The colour a laid-out word is drawn in: a link's colour follows its
    // state; clNone falls back to the font's colour.
    TColor WordColor(const TPlacedWord& word) const;

    // Mouse positions are in the control's coordinates. A link whose state
    // changes is reported as a change of "LinkState" (the peer redraws).
    // The link under the point; -1 for none.
    int LinkAt(int x, int y) const;
    // Answers whether the pointer is over a link (the peer shows the hand).
    bool MouseMove(int x, int y);
    void MouseDown(int x, int y);
    // Over a link, raises OnLinkClick with that link; then the active link
    // goes back to rest.
    void MouseUp(int x, int y);
    void MouseLeave();
    // The peer lost the mouse capture while a button was down.
    void MouseCancel();

    // The caption's text without its markup, as the label shows it.
    std::string PlainText() const;
    // A link label is named by its text, without the markup.
    std::optional<std::string> OwnAccessibleText() const override { return PlainText(); }

    // Keyboard. The link that has the focus while the label has it; -1 for
    // none. A change is reported as "LinkFocus" (the peer redraws).
    int FocusedLink() const { return focusedLink_; }
    // The focus arrives, going forward (Tab) or back (Shift+Tab): the first
    // or the last link takes it. False when there is no link.
    bool EnterFocus(bool forward);
    // Whether Tab (or Shift+Tab) moves to another link of the label rather
    // than to the next control.
    bool CanMoveFocus(bool forward) const;
    // Moves to that link; false (and nothing changes) when there is none.
    bool MoveFocus(bool forward);
    void LeaveFocus();
    // Enter or Space: OnLinkClick for the focused link, as a click on it.
    void ActivateFocusedLink();

    // The user clicked link `linkNumber`: runs OnLinkClick.
    void LinkClick(int linkNumber, const std::string& linkText, const std::string& linkParam);

    TLinkClickEvent OnLinkClick;
    component::TNotifyEvent OnCaptionChanged;

private:
    void Parse(const std::string& caption);
    void LinkStateChanged(bool changed);
    void SetFocusedLink(int link);

    std::unique_ptr<TNodeTree> tree_;
    TLinkLabelLayout arrangement_;
    int originX_ = 0;
    int originY_ = 0;
    TLinkMouseTracker mouse_;
    int focusedLink_ = -1;
    std::unique_ptr<component::TStringList> text_;
    bool transparent_ = false;
    TTextLayout layout_ = tlTop;
    bool autoHeight_ = true;
    bool hotLinks_ = false;
    TColor linkColor_ = clBlue;
    TColor linkColorClicked_ = clRed;
    TColor linkColorHot_ = clPurple;
    TFontStyles linkStyle_{fsUnderline};
    int marginWidth_ = 0;
    int marginHeight_ = 0;
};

}  // namespace velora::controls
