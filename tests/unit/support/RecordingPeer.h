#pragma once
// A peer that shows nothing and remembers what it was told: the forms'
// handlers run headless in the tests, and the tests read what reached the
// screen from here.

#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "component/ControlPeer.h"
#include "controls/Form.h"

namespace velora::controls {

class RecordingPeer : public component::ControlPeer {
public:
    struct Change {
        const component::TComponent* component;
        std::string property;
    };

    void PropertyChanged(component::TComponent& component, std::string_view property) override;
    void BringToFront(TForm& form) override;
    // Stands in for the user while a form is shown modally: runs
    // `duringModal` (if set), then lets the form close when a result was set.
    void RunModal(TForm& form) override;
    // Keeps the error's message.
    void HandleError(std::exception_ptr error) override;

    // How often `property` of `component` was reported changed.
    int CountOf(const component::TComponent& component, std::string_view property) const;

    std::vector<Change> changes;
    std::vector<const TForm*> broughtToFront;
    std::vector<std::string> errors;
    std::function<void(TForm&)> duringModal;
};

inline void RecordingPeer::PropertyChanged(component::TComponent& component, std::string_view property) {
    changes.push_back({&component, std::string(property)});
}

inline void RecordingPeer::BringToFront(TForm& form) { broughtToFront.push_back(&form); }

inline void RecordingPeer::RunModal(TForm& form) {
    if (duringModal) duringModal(form);
    if (form.ModalResult() != mrNone) form.CloseModal();
}

inline void RecordingPeer::HandleError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        errors.emplace_back(e.what());
    } catch (...) {
        errors.emplace_back("unknown error");
    }
}

inline int RecordingPeer::CountOf(const component::TComponent& component, std::string_view property) const {
    return static_cast<int>(std::count_if(changes.begin(), changes.end(), [&](const Change& change) {
        return change.component == &component && change.property == property;
    }));
}

}  // namespace velora::controls
