#include "controls/EffectiveFont.h"

#include "controls/Form.h"

namespace velora::controls {

FontChoice EffectiveFont(const TControl& control) {
    const TFont defaults;
    FontChoice choice;
    bool faceFound = false, styleFound = false, colorFound = false;
    // The control, its containers, then the form that owns it when the
    // chain of containers does not end in one.
    const TControl* last = &control;
    auto take = [&](const TFont& font) {
        if (!faceFound && (font.Name() != defaults.Name() || font.Size() != defaults.Size())) {
            faceFound = true;
            choice.Name = font.Name() != defaults.Name() ? font.Name() : std::string();
            choice.Size = font.Size();
        }
        if (!styleFound && !font.Style().Empty()) {
            styleFound = true;
            choice.Style = font.Style();
        }
        if (!colorFound && font.Color() != defaults.Color()) {
            colorFound = true;
            choice.Color = font.Color();
        }
    };
    for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
        take(c->Font());
        last = c;
    }
    if (dynamic_cast<const TForm*>(last) == nullptr)
        if (const TForm* form = dynamic_cast<const TForm*>(control.Owner())) take(form->Font());
    return choice;
}

}  // namespace velora::controls
