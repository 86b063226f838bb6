#pragma once
// A static text. It has no window of its own: its parent shows it. A label
// may name the field it stands before (FocusControl): its mnemonic moves the
// focus there and screen readers read its caption as that field's name.

#include "controls/Control.h"

namespace velora::controls {

class TLabel : public TControl {
public:
    explicit TLabel(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    // The size follows the text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // The control the label names; nullptr for none. Dropped when that
    // control is deleted.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);

protected:
    void ComponentRemoved(component::TComponent& component) override;

private:
    TWinControl* focusControl_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
};

}  // namespace velora::controls
