#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/Button.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/peers/PeerRegistry.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

struct Context {
    int created = 0;
};

struct Peer {
    virtual ~Peer() = default;
    virtual std::string Kind() const = 0;
};

struct ButtonPeer : Peer {
    ButtonPeer(TButton&, Context& context) { ++context.created; }
    std::string Kind() const override { return "button"; }
};

struct WindowPeer : Peer {
    WindowPeer(TWinControl&, Context& context) { ++context.created; }
    std::string Kind() const override { return "window"; }
};

using Registry = PeerRegistry<Peer, Context>;

struct Components {
    TForm form{nullptr};
    TButton* button = CreateComponent<TButton>(form, "buttonOk");
    TEdit* edit = CreateComponent<TEdit>(form, "editName");
    TLabel* label = CreateComponent<TLabel>(form, "labelName");
};

// The kind of peer the registry made for `component`; "none" for none.
std::string Made(const Registry& registry, TComponent& component, Context& context) {
    const std::unique_ptr<Peer> peer = registry.Create(component, context);
    return peer ? peer->Kind() : "none";
}

}  // namespace

// A kind is found by the component's class, else by its nearest ancestor
// that has one; a class with no kind up to the root gets no peer.
TEST(PeerRegistry, AComponentGetsTheKindOfItsClassOrOfItsNearestAncestor) {
    Components components;
    Registry registry;
    registry.Register("TWinControl", Registry::FactoryOf<WindowPeer, TWinControl>());
    registry.Register("TButton", Registry::FactoryOf<ButtonPeer, TButton>());
    Context context;

    EXPECT_EQ(Made(registry, *components.button, context), "button");
    EXPECT_EQ(Made(registry, *components.edit, context), "window");
    EXPECT_EQ(context.created, 2);
    // A label is a control, not a windowed one: nothing up its classes.
    EXPECT_EQ(registry.Find(*components.label), nullptr);
    EXPECT_EQ(Made(registry, *components.label, context), "none");
    EXPECT_EQ(registry.Find(components.form), registry.Find(*components.edit));
    EXPECT_EQ(context.created, 2);
}

// A later entry replaces an earlier one, and a factory for one model class
// declines a component of another that was found through an ancestor.
TEST(PeerRegistry, TheLastEntryForAClassCountsAndAFactoryDeclinesOtherModels) {
    Components components;
    Registry registry;
    registry.Register("TButton", Registry::FactoryOf<WindowPeer, TWinControl>());
    registry.Register("TButton", Registry::FactoryOf<ButtonPeer, TButton>());
    registry.Register("TWinControl", Registry::FactoryOf<ButtonPeer, TButton>());
    Context context;

    EXPECT_EQ(Made(registry, *components.button, context), "button");
    ASSERT_NE(registry.Find(*components.edit), nullptr);
    EXPECT_EQ(Made(registry, *components.edit, context), "none");
    EXPECT_EQ(context.created, 1);
}
