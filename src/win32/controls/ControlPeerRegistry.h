#pragma once
// Which native peer each kind of component gets: model class name → factory.
// A component whose class (or nearest ancestor class) has no entry gets no
// peer. The built-in kinds are the table in ControlPeerRegistry.cpp; a new
// kind is one more line there.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "win32/Win32ControlPeer.h"

namespace velora::win32 {

class ControlPeerRegistry {
public:
    // The registry with the built-in kinds, filled on first use.
    static const ControlPeerRegistry& BuiltIn();

    void Register(std::string className, ControlPeerFactory factory);
    // The factory for the component's class or its nearest ancestor that
    // has one; nullptr when none has.
    const ControlPeerFactory* Find(const component::TComponent& component) const;
    // The component's peer, or nullptr when its kind has none.
    std::unique_ptr<Win32ControlPeer> Create(component::TComponent& component, Win32PeerContext& context) const;

private:
    std::map<std::string, ControlPeerFactory, std::less<>> factories_;
};

// A factory that makes a `Peer` from a component of model class `Model`.
template <class Peer, class Model>
ControlPeerFactory PeerFactory() {
    return [](component::TComponent& component, Win32PeerContext& context) -> std::unique_ptr<Win32ControlPeer> {
        auto* model = dynamic_cast<Model*>(&component);
        if (model == nullptr) return nullptr;
        return std::make_unique<Peer>(*model, context);
    };
}

}  // namespace velora::win32
