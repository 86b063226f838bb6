#include "app/Application.h"

#include <algorithm>

namespace velora::app {

TApplication* Application = nullptr;

TApplication::TApplication() : component::TComponent(nullptr) {
    Application = this;
}

TApplication::~TApplication() {
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (OnTitleChanged) OnTitleChanged(title_);
}

void TApplication::Terminate() {
    terminated_ = true;
    if (OnTerminate) OnTerminate();
}

void TApplication::ComponentRemoved(component::TComponent& component) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &component), forms_.end());
}

std::string TApplication::UniqueFormName(const std::string& name) const {
    if (!FindComponent(name)) return name;
    for (int n = 1;; ++n) {
        std::string candidate = name + "_" + std::to_string(n);
        if (!FindComponent(candidate)) return candidate;
    }
}

std::vector<component::TComponent*> ApplicationForms() {
    if (Application == nullptr) return {};
    return {Application->Forms().begin(), Application->Forms().end()};
}

}  // namespace velora::app
