#pragma once
// Components: named objects that belong to an owner. The owner keeps its
// components in the order they were created and deletes them with itself;
// language files and forms find them by name.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/ClassInfo.h"
#include "component/ControlPeer.h"
#include "component/Persistent.h"

namespace velora::component {

class TComponent : public TPersistent {
public:
    // With an owner, the component joins the end of the owner's list and the
    // owner deletes it: create it with `new` (or CreateComponent below) and
    // never put it into a smart pointer of your own.
    explicit TComponent(TComponent* owner);
    // Deletes the owned components, the last created first.
    ~TComponent() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Name() const { return name_; }
    // Throws ComponentError for a name that is not an identifier (letters,
    // digits and "_", not starting with a digit) or that another component of
    // the same owner already carries (compared without regard to case).
    void SetName(const std::string& name);
    TComponent* Owner() const { return owner_; }

    // The owned components, in ownership order.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // The owned component of that name (case-insensitive); nullptr if none.
    TComponent* FindComponent(std::string_view name) const;

    // Hands an owned component over to the caller; it leaves the list.
    std::unique_ptr<TComponent> RemoveComponent(TComponent& component);
    // Takes a component over; it joins the end of the list.
    void InsertComponent(std::unique_ptr<TComponent> component);

    // The peer that shows this component, if it has one of its own.
    ControlPeer* Peer() const { return peer_; }
    // Not owned: the peer outlives the component or is detached with nullptr.
    void SetPeer(ControlPeer* peer) { peer_ = peer; }
    // The component's own peer, else the nearest owner's: one peer set on a
    // form hears of every component on it. None while the component or one
    // of its owners is being deleted.
    ControlPeer* EffectivePeer() const;

protected:
    // Tells the peer that a published value changed.
    void Changed(std::string_view property);
    // Stores `value` in `field`; tells the peer when it differs.
    template <class T>
    void ChangeValue(T& field, const T& value, std::string_view property) {
        if (field == value) return;
        field = value;
        Changed(property);
    }
    // `component`, owned by this component's owner or by this component, is
    // about to be deleted or to leave its owner: drop every pointer to it.
    virtual void ComponentRemoved(TComponent& /*component*/) {}

private:
    std::unique_ptr<TComponent> Detach(TComponent& component);
    void TellRemoval(TComponent& component);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<std::unique_ptr<TComponent>> components_;
    ControlPeer* peer_ = nullptr;
    bool destroying_ = false;
};

// Creates a component owned by `owner` and names it; the owner deletes it.
template <class T>
T* CreateComponent(TComponent& owner, const std::string& name) {
    T* component = new T(&owner);
    component->SetName(name);
    return component;
}

}  // namespace velora::component
