#include <gtest/gtest.h>

#include "controls/linklabel/LinkLabelRedraw.h"

using namespace velora::controls;

// The colours, styles, margins and states only change the drawing; the
// text, the font, the place and the focused link need more than a redraw,
// and every name is compared exactly.
TEST(LinkLabelRedraw, OnlyTheLookOfTheLabelIsRedrawOnly) {
    for (const char* look : {"LinkState", "Transparent", "Layout", "AutoHeight", "HotLinks", "LinkColor",
                             "LinkColorClicked", "LinkColorHot", "LinkStyle", "MarginWidth", "MarginHeight",
                             "Color"})
        EXPECT_TRUE(OnlyRedrawsLinkLabel(look)) << look;
    for (const char* more : {"Caption", "Font", "Left", "Width", "Visible", "LinkFocus", "Hint", "color",
                             "LinkColorHotX", ""})
        EXPECT_FALSE(OnlyRedrawsLinkLabel(more)) << more;
}

