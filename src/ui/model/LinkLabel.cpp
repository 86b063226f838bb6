#include "ui/model/LinkLabel.h"

namespace velora::ui {

const ClassInfo& TLinkLabel::StaticClass() {
    static const ClassInfo info{"TLinkLabel", &TControl::StaticClass(), {
        Prop::String("Caption", &TLinkLabel::Caption, &TLinkLabel::SetCaption),
        Prop::Object("Text", &TLinkLabel::Text, &TLinkLabel::SetText),
        Prop::Boolean("Transparent", &TLinkLabel::Transparent, &TLinkLabel::SetTransparent),
        Prop::Enumeration("Layout", TextLayoutType, &TLinkLabel::Layout, &TLinkLabel::SetLayout),
        Prop::Boolean("AutoHeight", &TLinkLabel::AutoHeight, &TLinkLabel::SetAutoHeight),
        Prop::Boolean("HotLinks", &TLinkLabel::HotLinks, &TLinkLabel::SetHotLinks),
        Prop::Integer("LinkColor", &TLinkLabel::LinkColor, &TLinkLabel::SetLinkColor),
        Prop::Integer("LinkColorClicked", &TLinkLabel::LinkColorClicked, &TLinkLabel::SetLinkColorClicked),
        Prop::Integer("LinkColorHot", &TLinkLabel::LinkColorHot, &TLinkLabel::SetLinkColorHot),
        Prop::Set("LinkStyle", FontStylesType, &TLinkLabel::LinkStyle, &TLinkLabel::SetLinkStyle),
        Prop::Integer("MarginWidth", &TLinkLabel::MarginWidth, &TLinkLabel::SetMarginWidth),
        Prop::Integer("MarginHeight", &TLinkLabel::MarginHeight, &TLinkLabel::SetMarginHeight),
    }};
    return info;
}

TLinkLabel::TLinkLabel(TComponent* owner) : TControl(owner), text_(std::make_unique<TStringList>()) {
    InitSize(160, 17);
}

void TLinkLabel::SetCaption(const std::string& caption) {
    if (caption == Caption()) return;
    text_->BeginUpdate();
    text_->Clear();
    text_->Add(caption);
    text_->EndUpdate();
    TControl::SetCaption(caption);
    if (OnCaptionChanged) OnCaptionChanged(this);
}

void TLinkLabel::SetText(const TStrings& lines) { SetCaption(lines.Text()); }

void TLinkLabel::SetTransparent(bool transparent) { ChangeValue(transparent_, transparent, "Transparent"); }
void TLinkLabel::SetLayout(TTextLayout layout) { ChangeValue(layout_, layout, "Layout"); }
void TLinkLabel::SetAutoHeight(bool autoHeight) { ChangeValue(autoHeight_, autoHeight, "AutoHeight"); }
void TLinkLabel::SetHotLinks(bool hotLinks) { ChangeValue(hotLinks_, hotLinks, "HotLinks"); }
void TLinkLabel::SetLinkColor(TColor color) { ChangeValue(linkColor_, color, "LinkColor"); }
void TLinkLabel::SetLinkColorClicked(TColor color) { ChangeValue(linkColorClicked_, color, "LinkColorClicked"); }
void TLinkLabel::SetLinkColorHot(TColor color) { ChangeValue(linkColorHot_, color, "LinkColorHot"); }
void TLinkLabel::SetLinkStyle(TFontStyles style) { ChangeValue(linkStyle_, style, "LinkStyle"); }
void TLinkLabel::SetMarginWidth(int width) { ChangeValue(marginWidth_, width, "MarginWidth"); }
void TLinkLabel::SetMarginHeight(int height) { ChangeValue(marginHeight_, height, "MarginHeight"); }

void TLinkLabel::LinkClick(int linkNumber, const std::string& linkText, const std::string& linkParam) {
    if (OnLinkClick) OnLinkClick(this, linkNumber, linkText, linkParam);
}

}  // namespace velora::ui
