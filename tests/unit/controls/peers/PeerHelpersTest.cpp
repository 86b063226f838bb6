#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>

#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/peers/ExceptionMessage.h"
#include "controls/peers/FlagGuard.h"
#include "controls/peers/ShownHint.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

std::exception_ptr Thrown(auto&& make) {
    try {
        make();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

}  // namespace

// A standard exception shows its own text, derived ones too; anything else
// a fixed one.
TEST(ExceptionMessage, StandardExceptionsShowTheirTextAnythingElseAFixedOne) {
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw std::runtime_error("Datei fehlt"); })), "Datei fehlt");
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw std::out_of_range(""); })), "");
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw 42; })), "Unknown error");
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw std::string("text"); })), "Unknown error");
}

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

// Set for the guard's lifetime; nested guards give back what they found.
TEST(FlagGuard, SetsTheFlagWhileItLivesAndGivesBackTheOldValue) {
    bool writing = false;
    {
        FlagGuard outer(writing);
        EXPECT_TRUE(writing);
        {
            FlagGuard inner(writing);
            EXPECT_TRUE(writing);
        }
        EXPECT_TRUE(writing);
    }
    EXPECT_FALSE(writing);
}
