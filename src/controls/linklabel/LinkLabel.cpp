#include "controls/linklabel/LinkLabel.h"

#include "controls/linklabel/LinkLabelParser.h"

namespace velora::controls {

const component::ClassInfo& TLinkLabel::StaticClass() {
    static const component::ClassInfo info{"TLinkLabel", &TWinControl::StaticClass(), {
        component::Prop::String("Caption", &TLinkLabel::Caption, &TLinkLabel::SetCaption),
        component::Prop::Object("Text", &TLinkLabel::Text, &TLinkLabel::SetText),
        component::Prop::Boolean("Transparent", &TLinkLabel::Transparent, &TLinkLabel::SetTransparent),
        component::Prop::Enumeration("Layout", TextLayoutType, &TLinkLabel::Layout, &TLinkLabel::SetLayout),
        component::Prop::Boolean("AutoHeight", &TLinkLabel::AutoHeight, &TLinkLabel::SetAutoHeight),
        component::Prop::Boolean("HotLinks", &TLinkLabel::HotLinks, &TLinkLabel::SetHotLinks),
        component::Prop::Integer("LinkColor", &TLinkLabel::LinkColor, &TLinkLabel::SetLinkColor),
        component::Prop::Integer("LinkColorClicked", &TLinkLabel::LinkColorClicked, &TLinkLabel::SetLinkColorClicked),
        component::Prop::Integer("LinkColorHot", &TLinkLabel::LinkColorHot, &TLinkLabel::SetLinkColorHot),
        component::Prop::Set("LinkStyle", FontStylesType, &TLinkLabel::LinkStyle, &TLinkLabel::SetLinkStyle),
        component::Prop::Integer("MarginWidth", &TLinkLabel::MarginWidth, &TLinkLabel::SetMarginWidth),
        component::Prop::Integer("MarginHeight", &TLinkLabel::MarginHeight, &TLinkLabel::SetMarginHeight),
    }};
    return info;
}

TLinkLabel::TLinkLabel(component::TComponent* owner)
    : TWinControl(owner), text_(std::make_unique<component::TStringList>()) {
    InitSize(160, 17);
    InitTabStop(true);
    Parse(Caption());
}

// Drops the active link and the old tree and its layout.
void TLinkLabel::Parse(const std::string& caption) {
    mouse_.Reset();
    arrangement_ = {};
    tree_ = TDefaultParser().Parse(caption);
    tree_->Root().SetFont(Font().Style(), Font().Color());
    // A new caption while the label has the focus (a language switch):
    // the focus stays on a link of the same number where there is one.
    if (focusedLink_ >= tree_->LinkCount()) focusedLink_ = tree_->LinkCount() - 1;
}

void TLinkLabel::SetCaption(const std::string& caption) {
    if (caption == Caption()) return;
    text_->BeginUpdate();
    text_->Clear();
    text_->Add(caption);
    text_->EndUpdate();
    Parse(caption);
    TControl::SetCaption(caption);
    if (OnCaptionChanged) OnCaptionChanged(this);
}

void TLinkLabel::SetText(const component::TStrings& lines) { SetCaption(lines.Text()); }

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

bool TLinkLabel::Arrange(TTextMeasurer& measurer, const DpiScale& scale) {
    tree_->Root().SetFont(Font().Style(), Font().Color());
    const int marginWidth = scale.ToDevice(marginWidth_);
    const int marginHeight = scale.ToDevice(marginHeight_);
    arrangement_ = TTextHandler(measurer, scale.ToDevice(Width()) - 2 * marginWidth + 1, linkStyle_).LayOut(*tree_);
    // A label that is not aligned follows its text's height.
    if (autoHeight_) {
        const int height = scale.ToDesignCovering(arrangement_.TextHeight + 2 * marginHeight);
        if (height != Height()) {
            SetHeight(height);
            return false;
        }
    }
    originX_ = marginWidth;
    originY_ = TextBlockTop(layout_, scale.ToDevice(Height()), marginHeight, arrangement_.TextHeight);
    return true;
}

TColor TLinkLabel::WordColor(const TPlacedWord& word) const {
    TColor color = word.Color;
    if (word.LinkColored) {
        const TLinkNode* link = tree_->Link(word.LinkNumber);
        const TLinkState state = link ? link->State() : lsRest;
        color = state == lsPressed ? linkColorClicked_ : state == lsHot ? linkColorHot_ : linkColor_;
    }
    return color == clNone ? Font().Color() : color;
}

int TLinkLabel::LinkAt(int x, int y) const { return arrangement_.LinkAt(x - originX_, y - originY_); }

void TLinkLabel::LinkStateChanged(bool changed) {
    if (changed) Changed("LinkState");
}

bool TLinkLabel::MouseMove(int x, int y) {
    const int link = LinkAt(x, y);
    LinkStateChanged(mouse_.Move(*tree_, link, hotLinks_));
    return link >= 0;
}

void TLinkLabel::MouseDown(int x, int y) { LinkStateChanged(mouse_.Press(*tree_, LinkAt(x, y))); }

void TLinkLabel::MouseUp(int x, int y) {
    if (const TLinkNode* link = tree_->Link(LinkAt(x, y))) {
        // Copies: the handler may set a new caption, which frees the tree.
        const int number = link->Number();
        const std::string text = link->Text();
        const std::string param = link->Param();
        LinkClick(number, text, param);
    }
    LinkStateChanged(mouse_.Release(*tree_));
}

void TLinkLabel::MouseLeave() { LinkStateChanged(mouse_.Leave(*tree_, hotLinks_)); }

void TLinkLabel::MouseCancel() { LinkStateChanged(mouse_.Release(*tree_)); }

std::string TLinkLabel::PlainText() const {
    std::string text;
    tree_->Root().CollectText(text);
    return text;
}

void TLinkLabel::SetFocusedLink(int link) { ChangeValue(focusedLink_, link, "LinkFocus"); }

bool TLinkLabel::EnterFocus(bool forward) {
    const int count = tree_->LinkCount();
    SetFocusedLink(count == 0 ? -1 : forward ? 0 : count - 1);
    return count > 0;
}

bool TLinkLabel::CanMoveFocus(bool forward) const {
    if (focusedLink_ < 0) return false;
    const int next = focusedLink_ + (forward ? 1 : -1);
    return next >= 0 && next < tree_->LinkCount();
}

bool TLinkLabel::MoveFocus(bool forward) {
    if (!CanMoveFocus(forward)) return false;
    SetFocusedLink(focusedLink_ + (forward ? 1 : -1));
    return true;
}

void TLinkLabel::LeaveFocus() { SetFocusedLink(-1); }

void TLinkLabel::ActivateFocusedLink() {
    const TLinkNode* link = tree_->Link(focusedLink_);
    if (!link) return;
    // Copies: the handler may set a new caption, which frees the tree.
    const int number = link->Number();
    const std::string text = link->Text();
    const std::string param = link->Param();
    LinkClick(number, text, param);
}

void TLinkLabel::LinkClick(int linkNumber, const std::string& linkText, const std::string& linkParam) {
    if (OnLinkClick) OnLinkClick(this, linkNumber, linkText, linkParam);
}

}  // namespace velora::controls
