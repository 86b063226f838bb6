// Captions come from language files, so their nesting is not ours to choose:
// a label must parse, lay out, click and free any depth without running out
// of stack (the sanitizers' larger frames make this a strict check).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkLabelTestSupport.h"
#include "controls/linklabel/LinkLabel.h"

namespace velora::controls {
namespace {

constexpr int kDepth = 200000;

std::string Repeated(std::string_view piece, int count) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

TEST(LinkLabelDeepMarkup, DeeplyNestedGroupsAreLaidOutClickedAndFreed) {
    testing::FixedWidthMeasurer measurer;
    auto label = std::make_unique<TLinkLabel>(nullptr);
    label->SetAutoHeight(false);
    label->SetBounds(0, 0, 300, 13);
    std::vector<std::string> clicks;
    label->OnLinkClick = [&](component::TComponent*, int number, const std::string& text, const std::string& param) {
        clicks.push_back(std::to_string(number) + " " + text + " [" + param + "]");
    };

    label->SetCaption("vor <link=p>" + Repeated("<B>", kDepth) + "tief" + Repeated("</B>", kDepth) + "</link> nach");
    ASSERT_TRUE(label->Arrange(measurer));
    const TLinkLabelLayout& layout = label->CurrentLayout();
    EXPECT_EQ(testing::Placed(layout), (std::vector<std::string>{"vor @0,0", "tief@24,0", " @52,0", "nach@58,0"}));
    EXPECT_EQ(layout.Words[1].Style, (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(layout.Words[1].LinkNumber, 0);
    EXPECT_EQ(layout.Words[3].LinkNumber, -1) << "every group closed again before the link ended";

    label->MouseDown(30, 5);
    label->MouseUp(30, 5);
    EXPECT_EQ(clicks, std::vector<std::string>{"0 tief [p]"});

    // As a language file may hold it: groups nobody closes. The old tree goes
    // when the caption changes, the new one with the label.
    label->SetCaption(Repeated("<b><i>", kDepth / 2) + "x");
    ASSERT_TRUE(label->Arrange(measurer));
    ASSERT_EQ(label->CurrentLayout().Words.size(), 1u);
    EXPECT_EQ(label->CurrentLayout().Words[0].Style, (TFontStyles{fsBold, fsItalic}));
    label.reset();
}

}  // namespace
}  // namespace velora::controls
