#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkLabelTestSupport.h"
#include "controls/linklabel/LinkLabel.h"
#include "support/RecordingPeer.h"

namespace velora::controls {
namespace {

// "Jetzt bei VELORA " is 102 pixels wide; the link follows up to 174.
constexpr int kOnLink = 110;
constexpr int kBesideLink = 50;

class LinkLabelMouseTest : public ::testing::Test {
protected:
    LinkLabelMouseTest() {
        label.SetPeer(&peer);
        label.SetAutoHeight(false);
        label.SetBounds(16, 172, 297, 13);
        label.SetCaption("Jetzt bei VELORA <link>registrieren</link>");
        label.OnLinkClick = [this](component::TComponent* sender, int number, const std::string& text,
                                   const std::string& param) {
            EXPECT_EQ(sender, &label);
            clicks.push_back(std::to_string(number) + " " + text + " [" + param + "]");
        };
        label.Arrange(measurer);
    }

    TLinkState State() const { return label.Tree().Link(0)->State(); }
    int Redraws() const { return peer.CountOf(label, "LinkState"); }

    testing::FixedWidthMeasurer measurer;
    RecordingPeer peer;
    TLinkLabel label{nullptr};
    std::vector<std::string> clicks;
};

TEST_F(LinkLabelMouseTest, ClickOnTheLinkReportsItsNumberTextAndParameter) {
    EXPECT_TRUE(label.MouseMove(kOnLink, 5)) << "the hand cursor over the link";
    EXPECT_FALSE(label.MouseMove(kBesideLink, 5));
    label.MouseDown(kOnLink, 5);
    EXPECT_EQ(State(), lsPressed);
    label.MouseUp(kOnLink, 5);
    EXPECT_EQ(clicks, std::vector<std::string>{"0 registrieren []"});
    EXPECT_EQ(State(), lsRest);
    EXPECT_EQ(Redraws(), 2);

    label.SetCaption("<link=neu>hier</link> oder <LINK=dort>da</LINK>");
    label.Arrange(measurer);
    label.MouseUp(62, 5);  // a button went down elsewhere: the click still counts
    EXPECT_EQ(clicks.back(), "1 da [dort]");
}

TEST_F(LinkLabelMouseTest, ReleaseOutsideTheLinkClicksNothingAndLeavesItAtRest) {
    label.MouseDown(kOnLink, 5);
    label.MouseMove(kBesideLink, 5);
    label.MouseLeave();
    EXPECT_EQ(State(), lsPressed) << "stays pressed while the button is down";
    label.MouseUp(kBesideLink, 5);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(State(), lsRest);

    label.MouseDown(kOnLink, 5);
    label.MouseCancel();  // the capture was taken away
    EXPECT_EQ(State(), lsRest);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(LinkLabelMouseTest, HotLinksFollowThePointerOnlyWhenSwitchedOn) {
    label.MouseMove(kOnLink, 5);
    EXPECT_EQ(State(), lsRest);

    label.SetHotLinks(true);
    label.MouseMove(kOnLink, 5);
    EXPECT_EQ(State(), lsHot);
    TPlacedWord linkWord = label.CurrentLayout().Words.back();
    EXPECT_EQ(label.WordColor(linkWord), clPurple);
    label.MouseMove(kBesideLink, 5);
    EXPECT_EQ(State(), lsRest);
    EXPECT_EQ(label.WordColor(linkWord), clBlue);
    EXPECT_EQ(label.WordColor(label.CurrentLayout().Words.front()), label.Font().Color());

    label.MouseMove(kOnLink, 5);
    label.MouseLeave();
    EXPECT_EQ(State(), lsRest);

    label.MouseDown(kOnLink, 5);
    EXPECT_EQ(label.WordColor(linkWord), clRed);
    label.MouseMove(kBesideLink, 5);
    EXPECT_EQ(State(), lsPressed) << "a pressed link does not turn hot or rest on moves";
}

}  // namespace
}  // namespace velora::controls
