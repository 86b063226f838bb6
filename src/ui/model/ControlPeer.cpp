#include "ui/model/ControlPeer.h"

#include <algorithm>

#include "ui/model/Form.h"

namespace velora::ui {

void RecordingPeer::PropertyChanged(TComponent& component, std::string_view property) {
    changes.push_back({&component, std::string(property)});
}

void RecordingPeer::BringToFront(TForm& form) { broughtToFront.push_back(&form); }

void RecordingPeer::RunModal(TForm& form) {
    if (duringModal) duringModal(form);
    if (form.ModalResult() != mrNone) form.CloseModal();
}

void RecordingPeer::HandleError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        errors.emplace_back(e.what());
    } catch (...) {
        errors.emplace_back("unknown error");
    }
}

int RecordingPeer::CountOf(const TComponent& component, std::string_view property) const {
    return static_cast<int>(std::count_if(changes.begin(), changes.end(), [&](const Change& change) {
        return change.component == &component && change.property == property;
    }));
}

}  // namespace velora::ui
