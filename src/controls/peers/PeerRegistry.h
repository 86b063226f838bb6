#pragma once
// Which peer each kind of component gets on one side of the system: model
// class name -> factory. A component whose class (or nearest ancestor class)
// has no entry gets no peer. Each side fills one registry with its built-in
// kinds (win32/controls/ControlPeerRegistry.cpp and its GTK twin); a new
// kind is one more line there.
//
// `Peer` is the side's peer interface, `Context` what its peers are created
// with (the form's window, the application, the form peer).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "component/ClassInfo.h"
#include "component/Component.h"

namespace velora::controls {

template <class Peer, class Context>
class PeerRegistry {
public:
    using Factory = std::function<std::unique_ptr<Peer>(component::TComponent& component, Context& context)>;

    // A later entry for the same class replaces the earlier one.
    void Register(std::string className, Factory factory) { factories_[std::move(className)] = std::move(factory); }

    // The factory for the component's class or its nearest ancestor that
    // has one; nullptr when none has.
    const Factory* Find(const component::TComponent& component) const {
        for (const component::ClassInfo* info = &component.Class(); info != nullptr; info = info->Parent()) {
            const auto found = factories_.find(info->Name());
            if (found != factories_.end()) return &found->second;
        }
        return nullptr;
    }

    // The component's peer, or nullptr when its kind has none (or the
    // factory declines it).
    std::unique_ptr<Peer> Create(component::TComponent& component, Context& context) const {
        const Factory* factory = Find(component);
        return factory ? (*factory)(component, context) : nullptr;
    }

    // A factory that makes a `Kind` of peer from a component of model class
    // `Model`, and none from a component of another class.
    template <class Kind, class Model>
    static Factory FactoryOf() {
        return [](component::TComponent& component, Context& context) -> std::unique_ptr<Peer> {
            auto* model = dynamic_cast<Model*>(&component);
            if (model == nullptr) return nullptr;
            return std::make_unique<Kind>(*model, context);
        };
    }

private:
    std::map<std::string, Factory, std::less<>> factories_;
};

}  // namespace velora::controls
