#pragma once
// The model of a label whose caption carries a small tag markup, parts of it
// links ("Jetzt bei VELORA <link>registrieren</link>"). Parsing, layout and
// drawing of the markup belong to the renderer; this holds the values and
// the events.

#include <functional>
#include <memory>
#include <string>

#include "ui/model/Control.h"
#include "ui/model/Strings.h"

namespace velora::ui {

using TLinkClickEvent = std::function<void(TComponent* sender, int linkNumber,
                                           const std::string& linkText, const std::string& linkParam)>;

class TLinkLabel : public TControl {
public:
    explicit TLinkLabel(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // A new caption replaces Text by one line, the caption, and raises
    // OnCaptionChanged; setting the caption it already has does nothing.
    void SetCaption(const std::string& caption) override;
    // The caption as lines. Assigning a list sets the caption to its lines,
    // each followed by CR LF; changing lines in place changes nothing else.
    TStrings& Text() const { return *text_; }
    void SetText(const TStrings& lines);

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

    // The user clicked link `linkNumber` (the peer calls this): runs OnLinkClick.
    void LinkClick(int linkNumber, const std::string& linkText, const std::string& linkParam);

    TLinkClickEvent OnLinkClick;
    TNotifyEvent OnCaptionChanged;

private:
    std::unique_ptr<TStringList> text_;
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

}  // namespace velora::ui
