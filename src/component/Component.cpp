#include "component/Component.h"

#include <algorithm>

#include "text/Text.h"
#include "component/Errors.h"

namespace velora::component {

namespace {
bool IsIdentifier(std::string_view name) {
    if (name.empty()) return false;
    auto isLetter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!isLetter(name.front())) return false;
    return std::all_of(name.begin(), name.end(),
                       [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); });
}
}  // namespace

const ClassInfo& TComponent::StaticClass() {
    static const ClassInfo info{"TComponent", &TPersistent::StaticClass(), {
        Prop::String("Name", &TComponent::Name, &TComponent::SetName),
    }};
    return info;
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) owner_->components_.emplace_back(this);
}

TComponent::~TComponent() {
    // From here on nothing below this component reports to a peer.
    destroying_ = true;
    // Each component is told about the removal while it and the dying one are
    // still whole; only then is the dying one deleted.
    while (!components_.empty()) {
        TComponent& last = *components_.back();
        TellRemoval(last);
        std::unique_ptr<TComponent> dying = std::move(components_.back());
        components_.pop_back();
        dying->destroying_ = true;
        dying->owner_ = nullptr;
    }
    // Deleted directly rather than by its owner: leave the owner's list.
    if (owner_ != nullptr) {
        owner_->TellRemoval(*this);
        owner_->Detach(*this).release();
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsIdentifier(name))
        throw ComponentError("'" + name + "' is not a valid component name");
    if (owner_ != nullptr && !name.empty()) {
        TComponent* existing = owner_->FindComponent(name);
        if (existing != nullptr && existing != this)
            throw ComponentError("A component named " + name + " already exists");
    }
    name_ = name;
    Changed("Name");
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw ListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<size_t>(index)].get();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& component : components_)
        if (text::SameText(component->name_, name)) return component.get();
    return nullptr;
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent& component) {
    if (component.owner_ != this) throw ComponentError("The component is not owned here");
    TellRemoval(component);
    std::unique_ptr<TComponent> removed = Detach(component);
    removed->owner_ = nullptr;
    return removed;
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
    if (!component) return;
    if (!component->name_.empty() && FindComponent(component->name_) != nullptr)
        throw ComponentError("A component named " + component->name_ + " already exists");
    component->owner_ = this;
    components_.push_back(std::move(component));
}

ControlPeer* TComponent::EffectivePeer() const {
    ControlPeer* peer = nullptr;
    for (const TComponent* c = this; c != nullptr; c = c->owner_) {
        if (c->destroying_) return nullptr;
        if (peer == nullptr) peer = c->peer_;
    }
    return peer;
}

void TComponent::Changed(std::string_view property) {
    if (ControlPeer* peer = EffectivePeer()) peer->PropertyChanged(*this, property);
}

std::unique_ptr<TComponent> TComponent::Detach(TComponent& component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [&](const auto& owned) { return owned.get() == &component; });
    std::unique_ptr<TComponent> detached = std::move(*it);
    components_.erase(it);
    return detached;
}

void TComponent::TellRemoval(TComponent& component) {
    ComponentRemoved(component);
    for (const auto& sibling : components_)
        if (sibling.get() != &component) sibling->ComponentRemoved(component);
}

}  // namespace velora::component
