#include <gtest/gtest.h>

#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/EffectiveFont.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/FormLayout.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/Panel.h"
#include "controls/RadioGroup.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

template <class T>
T* Place(TForm& form, const std::string& name, TWinControl* parent, int tabOrder = 0) {
    T* control = CreateComponent<T>(form, name);
    control->SetParent(parent);
    if constexpr (std::is_base_of_v<TWinControl, T>) control->SetTabOrder(tabOrder);
    return control;
}

std::vector<std::string> Names(const std::vector<TControl*>& controls) {
    std::vector<std::string> names;
    for (const TControl* control : controls) names.push_back(control->Name());
    return names;
}

}  // namespace

TEST(FormLayout, ContainersAddTheirPositionVisibilityAndEnablement) {
    TForm form(nullptr);
    form.SetBounds(300, 200, 500, 400);
    auto* outer = Place<TGroupBox>(form, "groupboxOuter", &form);
    outer->SetBounds(8, 215, 401, 81);
    auto* inner = Place<TPanel>(form, "panelInner", outer);
    inner->SetBounds(10, 20, 100, 40);
    auto* box = Place<TCheckBox>(form, "checkboxInner", inner);
    box->SetBounds(16, 24, 367, 17);
    auto* loose = CreateComponent<TLabel>(form, "labelLoose");
    loose->SetBounds(5, 6, 10, 10);

    // The form's own position never counts; every container's does.
    EXPECT_EQ(PositionOnForm(*box).X, 8 + 10 + 16);
    EXPECT_EQ(PositionOnForm(*box).Y, 215 + 20 + 24);
    EXPECT_EQ(PositionOnForm(*outer).X, 8);
    EXPECT_EQ(PositionOnForm(*loose).Y, 6);

    // A form is created hidden: that does not hide the controls on it.
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(VisibleOnForm(*box));
    outer->SetVisible(false);
    EXPECT_FALSE(VisibleOnForm(*box));
    EXPECT_FALSE(VisibleOnForm(*inner));
    outer->SetVisible(true);
    box->SetVisible(false);
    EXPECT_FALSE(VisibleOnForm(*box));
    EXPECT_TRUE(VisibleOnForm(*inner));

    inner->SetEnabled(false);
    EXPECT_FALSE(EnabledOnForm(*box));
    EXPECT_TRUE(EnabledOnForm(*outer));
    form.SetEnabled(false);
    EXPECT_TRUE(EnabledOnForm(*outer));

    EXPECT_TRUE(IsPlacedIn(*box, *outer));
    EXPECT_TRUE(IsPlacedIn(*box, *inner));
    EXPECT_FALSE(IsPlacedIn(*outer, *inner));
    EXPECT_FALSE(IsPlacedIn(*box, *box));
}

TEST(FormLayout, TabSequenceFollowsTabOrderWithinEachContainer) {
    // The options dialog, its controls created in another order than the tab order.
    TForm form(nullptr);
    auto* radio = Place<TRadioGroup>(form, "radioLanguage", &form, 4);
    auto* login = Place<TGroupBox>(form, "groupboxLogin", &form, 1);
    Place<TLabel>(form, "labelLand", login);
    Place<TEdit>(form, "editPassword", login, 2);
    Place<TEdit>(form, "editMobileNr", login, 1);
    Place<TComboBox>(form, "comboboxCountry", login, 0);
    auto* extended = Place<TGroupBox>(form, "groupboxExtended", &form, 2);
    Place<TCheckBox>(form, "checkboxOnlineStatus", extended, 1);
    Place<TCheckBox>(form, "checkboxAutostart", extended, 0);
    auto* ie = Place<TGroupBox>(form, "groupboxIE", &form, 3);
    Place<TCheckBox>(form, "checkboxIEIntegration", ie, 0);
    Place<TButton>(form, "buttonOk", &form, 0);
    // No parent: counts as placed on the form; equal orders keep placement order.
    CreateComponent<TButton>(form, "buttonLoose");
    (void)radio;

    EXPECT_EQ(Names(TabSequence(form)),
              (std::vector<std::string>{"buttonOk", "buttonLoose", "groupboxLogin", "comboboxCountry", "editMobileNr",
                                        "editPassword", "labelLand", "groupboxExtended", "checkboxAutostart",
                                        "checkboxOnlineStatus", "groupboxIE", "checkboxIEIntegration",
                                        "radioLanguage"}));
}

TEST(FormLayout, RadioButtonsShareTheRoomBelowTheCaption) {
    // The options dialog's language group: 401 x 75, two entries, one column.
    auto two = RadioButtonBounds(401, 75, 2, 1, 13);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].Left, 8);
    EXPECT_EQ(two[0].Top, 14);
    EXPECT_EQ(two[0].Right - two[0].Left, 391);
    EXPECT_EQ(two[0].Bottom - two[0].Top, 28);
    EXPECT_EQ(two[1].Top, 42);

    // Columns fill top to bottom; the odd pixel of height goes half above.
    auto five = RadioButtonBounds(210, 100, 5, 2, 13);
    ASSERT_EQ(five.size(), 5u);
    EXPECT_EQ(five[2].Left, 8);
    EXPECT_EQ(five[3].Left, 8 + 100);
    EXPECT_EQ(five[3].Top, five[0].Top);
    EXPECT_EQ(five[0].Top, 14 + (82 % 3) / 2);

    EXPECT_TRUE(RadioButtonBounds(100, 50, 0, 1, 13).empty());
    EXPECT_EQ(RadioButtonBounds(110, 50, 2, 0, 13)[0].Right, 8 + 100);

    // At 144 DPI: the group's 602 x 113 pixels, a 20-pixel caption; the
    // margins scale too, and the buttons stand within a pixel of 1.5 times
    // their places at 96 DPI.
    auto large = RadioButtonBounds(602, 113, 2, 1, 20, DpiScale(144));
    ASSERT_EQ(large.size(), 2u);
    EXPECT_EQ(large[0].Left, 12);
    EXPECT_EQ(large[0].Right, 12 + 587);
    EXPECT_EQ(large[0].Top, 22);
    EXPECT_EQ(large[0].Bottom - large[0].Top, 42);
    EXPECT_EQ(large[1].Top, 64);
}

TEST(EffectiveFont, UnsetValuesComeFromContainersFormOrSystem) {
    TForm form(nullptr);
    auto* panel = Place<TPanel>(form, "panelActual", &form);
    auto* caption = Place<TLabel>(form, "labelCaptionActual", panel);
    auto* version = Place<TLabel>(form, "labelVersionActual", panel);
    version->Font().SetStyle(TFontStyles{fsBold});

    // Nothing set anywhere: the system's dialog font.
    EXPECT_EQ(EffectiveFont(*caption), FontChoice{});

    form.Font().SetName("Tahoma");
    EXPECT_EQ(EffectiveFont(*caption).Name, "Tahoma");
    EXPECT_EQ(EffectiveFont(*caption).Size, 8);
    const FontChoice bold = EffectiveFont(*version);
    EXPECT_EQ(bold.Name, "Tahoma");
    EXPECT_TRUE(bold.Style.Contains(fsBold));
    EXPECT_TRUE(EffectiveFont(*caption).Style.Empty());

    // A size alone keeps the system's face; face and size come as a pair
    // from the nearest control that sets either.
    panel->Font().SetSize(10);
    EXPECT_EQ(EffectiveFont(*caption).Name, "");
    EXPECT_EQ(EffectiveFont(*caption).Size, 10);

    form.Font().SetColor(clRed);
    EXPECT_EQ(EffectiveFont(*version).Color, clRed);

    // An unparented control takes the font of the form that owns it.
    auto* loose = CreateComponent<TLabel>(form, "labelLoose");
    EXPECT_EQ(EffectiveFont(*loose).Name, "Tahoma");
}
