#include "controls/DialogKeys.h"

#include "controls/Button.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"

namespace velora::controls {

namespace {

template <class Wanted>
TButton* FindButton(const TForm& form, Wanted wanted) {
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* button = dynamic_cast<TButton*>(form.Components(i));
        if (button && wanted(*button) && VisibleOnForm(*button) && EnabledOnForm(*button)) return button;
    }
    return nullptr;
}

}  // namespace

TButton* DefaultButton(const TForm& form) {
    return FindButton(form, [](const TButton& button) { return button.Default(); });
}

TButton* CancelButton(const TForm& form) {
    return FindButton(form, [](const TButton& button) { return button.Cancel(); });
}

void CancelDialog(TForm& form) {
    if (TButton* button = CancelButton(form)) {
        button->Click();
        return;
    }
    form.Close();
}

}  // namespace velora::controls
