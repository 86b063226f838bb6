#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "controls/peers/CommonProperties.h"

using velora::controls::CommonProperties;

namespace {

class RecordingApplier : public CommonProperties {
public:
    std::vector<std::string> applied;

    std::vector<std::string> After(std::string_view property) {
        applied.clear();
        handled = ApplyCommonProperty(property);
        return applied;
    }
    bool handled = false;

protected:
    void ApplyBounds() override { applied.push_back("bounds"); }
    void ApplyVisible() override { applied.push_back("visible"); }
    void ApplyEnabled() override { applied.push_back("enabled"); }
    void ApplyFont() override { applied.push_back("font"); }
    void ApplyHint() override { applied.push_back("hint"); }
    void ApplyCaption() override { applied.push_back("caption"); }
    void ApplyTabStop() override { applied.push_back("tab stop"); }
};

using Applied = std::vector<std::string>;

}  // namespace

TEST(CommonProperties, EachValueEveryControlHasReachesItsApply) {
    RecordingApplier peer;
    for (const char* edge : {"Left", "Top", "Width", "Height"}) {
        EXPECT_EQ(peer.After(edge), Applied{"bounds"}) << edge;
        EXPECT_TRUE(peer.handled) << edge;
    }
    EXPECT_EQ(peer.After("Visible"), Applied{"visible"});
    EXPECT_EQ(peer.After("Enabled"), Applied{"enabled"});
    EXPECT_EQ(peer.After("Caption"), Applied{"caption"});
    EXPECT_EQ(peer.After("Hint"), Applied{"hint"});
    EXPECT_EQ(peer.After("ShowHint"), Applied{"hint"});
    EXPECT_EQ(peer.After("Font"), Applied{"font"});
    EXPECT_EQ(peer.After("TabStop"), Applied{"tab stop"});
    EXPECT_TRUE(peer.handled);
}

// Another container changes the place first, then what the container
// passes on: its visibility, enablement and font.
TEST(CommonProperties, ANewParentReappliesPlaceVisibilityEnablementAndFont) {
    RecordingApplier peer;
    EXPECT_EQ(peer.After("Parent"), (Applied{"bounds", "visible", "enabled", "font"}));
    EXPECT_TRUE(peer.handled);
}

// The kind's own properties, and names that only differ in case, are left
// to the kind: nothing is applied and the change counts as not handled.
TEST(CommonProperties, AnyOtherPropertyIsLeftToTheKind) {
    RecordingApplier peer;
    for (const char* other : {"Text", "Checked", "TabOrder", "Name", "caption", "", "LeftX"}) {
        EXPECT_EQ(peer.After(other), Applied{}) << other;
        EXPECT_FALSE(peer.handled) << other;
    }
}
