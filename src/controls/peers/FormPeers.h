#pragma once
// The peers of a form's components, kept once for both sides: which
// component has which peer, which one has no kind of peer, and where a
// change the model reports goes. The side's form peer owns one and hands it
// every change; it asks the side (FormPeerSide.h) for what only the side
// can do.
//
// Routing: a menu item's change is one of the menu it stands in and reaches
// every peer as MenuChanged; a change of the form itself goes to the side,
// its font to every peer; a control's change goes to its peer, and a
// container's place, visibility, enablement, font and parent to the peers
// of its contents as well. A component created after the window gets its
// peer with its first reported change.
//
// `Peer` has PropertyChanged(std::string_view) and
// MenuChanged(const TPopupMenu&).

#include <cstddef>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include "controls/Control.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"
#include "controls/Menus.h"
#include "controls/peers/FormPeerSide.h"
#include "controls/peers/PeerRegistry.h"

namespace velora::controls {

// Changes of a container that its contents take over.
bool IsPassedToContents(std::string_view property);
// The popup menu `item` stands in, at any depth; nullptr for an item in no
// popup menu.
const TPopupMenu* MenuOfItem(const TMenuItem& item);

template <class Peer, class Context>
class FormPeers {
public:
    using Registry = PeerRegistry<Peer, Context>;

    struct Child {
        component::TComponent* component;
        std::unique_ptr<Peer> peer;
    };

    FormPeers(TForm& form, const Registry& registry, FormPeerSide<Context>& side)
        : form_(form), registry_(registry), side_(side) {}
    FormPeers(const FormPeers&) = delete;
    FormPeers& operator=(const FormPeers&) = delete;

    // The side's form peer calls this once it is ready for its window:
    // the window comes now (AtOnce, or a form that is visible already) or
    // with the form's first showing.
    void Open(WindowCreation creation) {
        if (creation == WindowCreation::AtOnce || form_.Visible())
            EnsureWindow();
        else
            CreatePeersWorkingWhileHidden();
    }

    // Creates the form's window and its components' peers now, when it has
    // none yet.
    void EnsureWindow() {
        if (side_.HasWindow()) return;
        side_.CreateFormWindow();
        CreatePeers();
    }

    void PropertyChanged(component::TComponent& component, std::string_view property) {
        if (auto* item = dynamic_cast<TMenuItem*>(&component)) {
            if (const TPopupMenu* menu = MenuOfItem(*item))
                for (const Child& child : children_) child.peer->MenuChanged(*menu);
            return;
        }
        if (!side_.HasWindow()) {
            // Until then the model keeps every value, and the window is made
            // from them; what works while hidden follows at once.
            if (WorksWhileHidden(component)) {
                if (Peer* peer = PeerOf(component))
                    peer->PropertyChanged(property);
                else if (component.Owner() == &form_)
                    CreatePeer(component);
                return;
            }
            const bool shown = &component == &form_ && property == "Visible" && form_.Visible();
            if (!shown) return;
            EnsureWindow();
        }
        if (&component == &form_) {
            if (property == "Font")
                for (const Child& child : children_) child.peer->PropertyChanged("Font");
            else
                side_.FormPropertyChanged(property);
            return;
        }
        Peer* peer = PeerOf(component);
        if (peer == nullptr) {
            if (component.Owner() != &form_ || withoutPeer_.contains(&component)) return;
            CreatePeer(component);
            side_.TabOrderChanged();
            side_.AccessibleNamesChanged();
            return;
        }
        peer->PropertyChanged(property);
        // A label's caption names the field it stands for.
        if (property == "Caption" || property == "FocusControl") side_.AccessibleNamesChanged();
        auto* control = dynamic_cast<TControl*>(&component);
        if (control != nullptr && IsPassedToContents(property)) {
            // By index: a change may bring a peer for a new component.
            for (std::size_t i = 0; i < children_.size(); ++i) {
                auto* inside = dynamic_cast<TControl*>(children_[i].component);
                if (inside != nullptr && IsPlacedIn(*inside, *control)) children_[i].peer->PropertyChanged(property);
            }
        }
        if (property == "TabOrder" || property == "Parent") side_.TabOrderChanged();
    }

    // The peer of a component of the form; nullptr when it has none.
    Peer* PeerOf(const component::TComponent& component) const {
        for (const Child& child : children_)
            if (child.component == &component) return child.peer.get();
        return nullptr;
    }

    // Every peer with its component, in the order they were created.
    const std::vector<Child>& Children() const { return children_; }

    // Destroys the peers (the side does so before its window goes); the
    // components are not touched, they may be gone.
    void Clear() { children_.clear(); }

private:
    // A component that is not a control but has a kind of peer (a tray
    // icon, a menu) works while its form is hidden.
    bool WorksWhileHidden(const component::TComponent& component) const {
        return dynamic_cast<const TControl*>(&component) == nullptr && registry_.Find(component) != nullptr;
    }

    bool NeedsPeer(component::TComponent& component) const {
        // Menu items have no peer of their own: their menu shows them.
        return dynamic_cast<TMenuItem*>(&component) == nullptr && PeerOf(component) == nullptr &&
               !withoutPeer_.contains(&component);
    }

    // Every component that has no peer yet, in the form's order.
    void CreatePeers() {
        for (int i = 0; i < form_.ComponentCount(); ++i) {
            component::TComponent* component = form_.Components(i);
            if (NeedsPeer(*component)) CreatePeer(*component);
        }
        side_.TabOrderChanged();
        side_.AccessibleNamesChanged();
    }

    // They need no window of the form: a tray icon appears before (or
    // without) the form's window and controls.
    void CreatePeersWorkingWhileHidden() {
        for (int i = 0; i < form_.ComponentCount(); ++i) {
            component::TComponent* component = form_.Components(i);
            if (WorksWhileHidden(*component) && NeedsPeer(*component)) CreatePeer(*component);
        }
    }

    void CreatePeer(component::TComponent& component) {
        Context context = side_.PeerContext();
        auto peer = registry_.Create(component, context);
        if (!peer) {
            withoutPeer_.insert(&component);
            return;
        }
        children_.push_back({&component, std::move(peer)});
    }

    TForm& form_;
    const Registry& registry_;
    FormPeerSide<Context>& side_;
    std::vector<Child> children_;
    // Components looked at that have no kind of peer.
    std::set<const component::TComponent*> withoutPeer_;
};

}  // namespace velora::controls
