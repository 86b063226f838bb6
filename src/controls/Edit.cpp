#include "controls/Edit.h"

namespace velora::controls {

const component::ClassInfo& TEdit::StaticClass() {
    static const component::ClassInfo info{"TEdit", &TWinControl::StaticClass(), {
        component::Prop::String("Text", &TEdit::Text, &TEdit::SetText),
        component::Prop::Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength),
        component::Prop::Char("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar),
        component::Prop::Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly),
    }};
    return info;
}

TEdit::TEdit(component::TComponent* owner) : TWinControl(owner) {
    InitSize(121, 21);
    InitTabStop(true);
}

void TEdit::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Changed("Text");
    if (OnChange) OnChange(this);
}

void TEdit::SetMaxLength(int maxLength) { ChangeValue(maxLength_, maxLength, "MaxLength"); }
void TEdit::SetPasswordChar(char passwordChar) { ChangeValue(passwordChar_, passwordChar, "PasswordChar"); }
void TEdit::SetReadOnly(bool readOnly) { ChangeValue(readOnly_, readOnly, "ReadOnly"); }

bool TEdit::TypeKey(char key) {
    if (OnKeyPress) OnKeyPress(this, key);
    if (key == 0 || readOnly_) return false;
    constexpr char kBackspace = 8;
    if (key == kBackspace) {
        if (text_.empty()) return false;
        SetText(text_.substr(0, text_.size() - 1));
        return true;
    }
    if (static_cast<unsigned char>(key) < 32) return false;
    if (maxLength_ > 0 && static_cast<int>(text_.size()) >= maxLength_) return false;
    SetText(text_ + key);
    return true;
}

}  // namespace velora::controls
