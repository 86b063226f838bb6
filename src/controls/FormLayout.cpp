#include "controls/FormLayout.h"

#include <algorithm>

#include "controls/Form.h"
#include "controls/Label.h"

namespace velora::controls {

namespace {

// The containers of `control` up to, not including, the form.
template <class Visit>
void ForEachContainer(const TControl& control, Visit visit) {
    for (const TWinControl* parent = control.Parent(); parent != nullptr; parent = parent->Parent()) {
        if (dynamic_cast<const TForm*>(parent) != nullptr) return;
        visit(*parent);
    }
}

// The label that names `control` among `controls`; nullptr for none.
TControl* NamingLabel(const std::vector<TControl*>& controls, const TControl* control) {
    for (TControl* candidate : controls)
        if (auto* label = dynamic_cast<TLabel*>(candidate); label && label->FocusControl() == control) return label;
    return nullptr;
}

// The controls placed directly in `container`, in tab order (see TabSequence).
std::vector<TControl*> InTabOrder(std::vector<TControl*> controls) {
    std::stable_sort(controls.begin(), controls.end(), [](const TControl* a, const TControl* b) {
        const auto* winA = dynamic_cast<const TWinControl*>(a);
        const auto* winB = dynamic_cast<const TWinControl*>(b);
        if (winA == nullptr || winB == nullptr) return winA != nullptr && winB == nullptr;
        return winA->TabOrder() < winB->TabOrder();
    });
    // A label that names a control of the same container comes right before
    // it: a mnemonic and a screen reader on Windows both take the next
    // window after a label as the one it names.
    std::vector<TControl*> ordered;
    for (TControl* control : controls) {
        auto* label = dynamic_cast<TLabel*>(control);
        if (label && label->FocusControl() &&
            std::find(controls.begin(), controls.end(), label->FocusControl()) != controls.end())
            continue;
        if (TControl* naming = NamingLabel(controls, control)) ordered.push_back(naming);
        ordered.push_back(control);
    }
    return ordered;
}

void AppendWithContents(std::vector<TControl*>& sequence, const std::vector<TControl*>& controls) {
    for (TControl* control : InTabOrder(controls)) {
        sequence.push_back(control);
        if (const auto* container = dynamic_cast<const TWinControl*>(control)) {
            std::vector<TControl*> inside;
            for (int i = 0; i < container->ControlCount(); ++i) inside.push_back(container->Controls(i));
            AppendWithContents(sequence, inside);
        }
    }
}

}  // namespace

TPoint PositionOnForm(const TControl& control) {
    TPoint point{control.Left(), control.Top()};
    ForEachContainer(control, [&](const TWinControl& parent) {
        point.X += parent.Left();
        point.Y += parent.Top();
    });
    return point;
}

TRect BoundsOnForm(const TControl& control, const DpiScale& scale) {
    const TPoint at = PositionOnForm(control);
    return {scale.ToDevice(at.X), scale.ToDevice(at.Y), scale.ToDevice(at.X + control.Width()),
            scale.ToDevice(at.Y + control.Height())};
}

bool VisibleOnForm(const TControl& control) {
    bool visible = control.Visible();
    ForEachContainer(control, [&](const TWinControl& parent) { visible = visible && parent.Visible(); });
    return visible;
}

bool EnabledOnForm(const TControl& control) {
    bool enabled = control.Enabled();
    ForEachContainer(control, [&](const TWinControl& parent) { enabled = enabled && parent.Enabled(); });
    return enabled;
}

bool IsPlacedIn(const TControl& control, const TControl& container) {
    for (const TWinControl* parent = control.Parent(); parent != nullptr; parent = parent->Parent())
        if (parent == &container) return true;
    return false;
}

std::vector<TControl*> TabSequence(const TForm& form) {
    std::vector<TControl*> onForm;
    for (int i = 0; i < form.ControlCount(); ++i) onForm.push_back(form.Controls(i));
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form.Components(i));
        if (control != nullptr && control->Parent() == nullptr) onForm.push_back(control);
    }
    std::vector<TControl*> sequence;
    AppendWithContents(sequence, onForm);
    return sequence;
}

std::vector<TRect> RadioButtonBounds(int width, int height, int count, int columns, int textHeight,
                                     const DpiScale& scale) {
    std::vector<TRect> bounds;
    if (count <= 0) return bounds;
    columns = std::max(columns, 1);
    const int perColumn = (count + columns - 1) / columns;
    const int buttonWidth = (width - scale.ToDevice(10)) / columns;
    const int below = std::max(height - textHeight - scale.ToDevice(5), 0);
    const int buttonHeight = below / perColumn;
    const int topMargin = textHeight + scale.ToDevice(1) + (below % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        const int left = (i / perColumn) * buttonWidth + scale.ToDevice(8);
        const int top = (i % perColumn) * buttonHeight + topMargin;
        bounds.push_back({left, top, left + buttonWidth, top + buttonHeight});
    }
    return bounds;
}

}  // namespace velora::controls
