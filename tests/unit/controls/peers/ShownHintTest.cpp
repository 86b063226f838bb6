#include <gtest/gtest.h>

#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/peers/ShownHint.h"

using namespace velora::component;
using namespace velora::controls;

// The tooltip shows the short hint (before "|"), and nothing unless the
// control shows hints.
TEST(ShownHint, TheShortHintShowsOnlyWhenTheControlShowsHints) {
    TForm form{nullptr};
    TLabel* label = CreateComponent<TLabel>(form, "labelName");
    label->SetHint("Kurz|Lang und ausf\xFChrlich");
    label->SetShowHint(false);
    EXPECT_EQ(ShownHint(*label), "");
    label->SetShowHint(true);
    EXPECT_EQ(ShownHint(*label), "Kurz");
    label->SetHint("Ohne Trenner");
    EXPECT_EQ(ShownHint(*label), "Ohne Trenner");
    label->SetHint("|Nur lang");
    EXPECT_EQ(ShownHint(*label), "");
    label->SetHint("");
    EXPECT_EQ(ShownHint(*label), "");
}
