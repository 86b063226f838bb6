#pragma once
// Which GTK peer each kind of component gets: model class name → factory.
// A component whose class (or nearest ancestor class) has no entry gets no
// peer. The built-in kinds are the table in ControlPeerRegistry.cpp.

#include <map>
#include <memory>
#include <string>

#include "gtk/GtkControlPeer.h"

namespace velora::gtk {

class ControlPeerRegistry {
public:
    static const ControlPeerRegistry& BuiltIn();

    void Register(std::string className, ControlPeerFactory factory);
    const ControlPeerFactory* Find(const component::TComponent& component) const;
    std::unique_ptr<GtkControlPeer> Create(component::TComponent& component, GtkPeerContext& context) const;

private:
    std::map<std::string, ControlPeerFactory, std::less<>> factories_;
};

// A factory that makes a `Peer` from a component of model class `Model`.
template <class Peer, class Model>
ControlPeerFactory PeerFactory() {
    return [](component::TComponent& component, GtkPeerContext& context) -> std::unique_ptr<GtkControlPeer> {
        auto* model = dynamic_cast<Model*>(&component);
        if (model == nullptr) return nullptr;
        return std::make_unique<Peer>(*model, context);
    };
}

}  // namespace velora::gtk
