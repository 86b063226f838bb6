#pragma once
// Controls: components that occupy a rectangle of a form. TControl holds
// what every control has; TWinControl is a control with a window of its
// own, which takes part in the tab order and can hold other controls (a
// form, a group box, a panel). Labels have no window: their parent shows them.
//
// Every setter stores the value and, when it differs from the old one, tells
// the peer the property's name.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/Color.h"
#include "component/Component.h"
#include "component/Events.h"
#include "controls/Font.h"

namespace velora::controls {

class TWinControl;

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
inline constexpr std::string_view kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
inline constexpr component::EnumType AlignmentType{"TAlignment", kAlignmentNames};

// Vertical placement of a text in its control.
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
inline constexpr std::string_view kTextLayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};
inline constexpr component::EnumType TextLayoutType{"TTextLayout", kTextLayoutNames};

class TControl : public component::TComponent {
public:
    explicit TControl(component::TComponent* owner);
    ~TControl() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // Position relative to the parent's client area, and size, in pixels.
    int Left() const { return left_; }
    void SetLeft(int left);
    int Top() const { return top_; }
    void SetTop(int top);
    int Width() const { return width_; }
    void SetWidth(int width);
    int Height() const { return height_; }
    void SetHeight(int height);
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    virtual void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);

    // The control's text. Classes that show one publish it as "Caption".
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);
    // The text that names the control for a screen reader whatever label
    // stands before it; none for most controls (AccessibleName.h).
    virtual std::optional<std::string> OwnAccessibleText() const { return std::nullopt; }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // One getter only, so that the property can name it.
    TFont& Font() const { return *font_; }
    void SetFont(const TFont& font) { font_->Assign(font); }

    // The control it is placed in (not its owner); nullptr for a form.
    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    // The user clicked the control (the peer calls this); runs OnClick.
    virtual void Click();
    component::TNotifyEvent OnClick;

protected:
    // Defaults set by constructors, before anyone listens: no notification.
    void InitSize(int width, int height) {
        width_ = width;
        height_ = height;
    }
    void InitVisible(bool visible) { visible_ = visible; }

private:
    friend class TWinControl;

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
    bool showHint_ = false;
    std::string caption_;
    TColor color_ = clBtnFace;
    std::unique_ptr<TFont> font_;
    TWinControl* parent_ = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(component::TComponent* owner);
    ~TWinControl() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // Position in the tab order among the controls of the same parent.
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int tabOrder);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);

    // The controls placed in this one, in the order they were placed.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;

protected:
    void InitTabStop(bool tabStop) { tabStop_ = tabStop; }

private:
    friend class TControl;

    int tabOrder_ = 0;
    bool tabStop_ = false;
    std::vector<TControl*> controls_;
};

class TForm;
// The form the control sits on: the outermost of its parents (the control
// itself when it has none) if that is a form, or else its owner if that is
// a form; nullptr otherwise.
TForm* ParentForm(TControl& control);

}  // namespace velora::controls
