#include "controls/AccessibleName.h"

#include <cctype>

#include "controls/Form.h"
#include "controls/Label.h"

namespace velora::controls {

std::string WithoutMnemonic(std::string_view caption) {
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                text += '&';
                ++i;
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
            text += ' ';
            continue;
        }
        text += c;
    }
    return text;
}

char MnemonicOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

TLabel* LabelOf(const TWinControl& control) {
    const component::TComponent* form = ParentForm(const_cast<TWinControl&>(control));
    if (form == nullptr) form = control.Owner();
    if (form == nullptr) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(form->Components(i)); label && label->FocusControl() == &control)
            return label;
    return nullptr;
}

std::string AccessibleName(const TControl& control) {
    if (const std::optional<std::string> own = control.OwnAccessibleText()) return WithoutMnemonic(*own);
    if (const auto* windowed = dynamic_cast<const TWinControl*>(&control))
        if (const TLabel* label = LabelOf(*windowed)) return WithoutMnemonic(label->Caption());
    return WithoutMnemonic(control.Caption());
}

}  // namespace velora::controls
