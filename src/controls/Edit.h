#pragma once
// A single-line text field.

#include "controls/Control.h"

namespace velora::controls {

class TEdit : public TWinControl {
public:
    explicit TEdit(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Text() const { return text_; }
    // Runs OnChange when the text differs.
    void SetText(const std::string& text);
    // The most characters the user can type; 0 for no limit. Text set by the
    // program is not cut.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    // Shown instead of every character when not 0.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char passwordChar);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // The user typed `key` at the end of the text: OnKeyPress may change or
    // discard it (0); backspace (8) removes the last character, any other
    // character is appended while MaxLength allows. True when the text
    // changed. The peer reports typing through OnKeyPress itself; this is the
    // headless stand-in for it.
    bool TypeKey(char key);

    component::TKeyPressEvent OnKeyPress;
    component::TNotifyEvent OnChange;

private:
    std::string text_;
    int maxLength_ = 0;
    char passwordChar_ = 0;
    bool readOnly_ = false;
};

}  // namespace velora::controls
