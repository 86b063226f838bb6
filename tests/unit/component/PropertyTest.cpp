#include <gtest/gtest.h>

#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/Memo.h"
#include "controls/Menus.h"
#include "controls/Panel.h"
#include "controls/ProgressBar.h"
#include "controls/RadioGroup.h"
#include "controls/TrayIcon.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

// Kinds and a read-only property that the program's controls do not have.
class TSample : public TPersistent {
public:
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TSample", &TPersistent::StaticClass(), {
            Prop::String("Version", &TSample::Version),
            Prop::Float("Ratio", &TSample::Ratio, &TSample::SetRatio),
            Prop::WideString("Title", &TSample::Title, &TSample::SetTitle),
        }};
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }

    std::string Version() const { return "1.0"; }
    double Ratio() const { return ratio_; }
    void SetRatio(double ratio) { ratio_ = ratio; }
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }

private:
    double ratio_ = 0;
    std::wstring title_;
};

const PropertyInfo& Property(const TPersistent& object, std::string_view name) {
    const PropertyInfo* property = FindProperty(object, name);
    if (property == nullptr) throw std::runtime_error("no property " + std::string(name));
    return *property;
}

}  // namespace

TEST(Properties, AreFoundByNameWithoutRegardToCaseWithTheirKinds) {
    TButton button(nullptr);
    EXPECT_EQ(Property(button, "caption").Name(), "Caption");
    EXPECT_EQ(Property(button, "caption").Kind(), PropertyKind::String);
    EXPECT_EQ(Property(button, "LEFT").Kind(), PropertyKind::Integer);
    EXPECT_EQ(Property(button, "Visible").Kind(), PropertyKind::Enumeration);
    EXPECT_EQ(Property(button, "Visible").TypeOfEnumeration(), &BooleanType);
    EXPECT_EQ(Property(button, "font").Kind(), PropertyKind::Class);
    EXPECT_EQ(Property(button, "NAME").Kind(), PropertyKind::String);  // from TComponent
    EXPECT_EQ(FindProperty(button, "OnClick"), nullptr);               // events are not published
    EXPECT_EQ(FindProperty(button, "Colour"), nullptr);

    TEdit edit(nullptr);
    EXPECT_EQ(FindProperty(edit, "Caption"), nullptr);  // an edit has Text, not Caption
    EXPECT_EQ(Property(edit, "PasswordChar").Kind(), PropertyKind::Char);

    TFont font;
    EXPECT_EQ(Property(font, "style").Kind(), PropertyKind::Set);
    EXPECT_EQ(Property(font, "style").TypeOfSet(), &FontStylesType);

    TMenuItem item(nullptr);
    EXPECT_EQ(Property(item, "ShortCut").Kind(), PropertyKind::Integer);
}

TEST(Properties, RefuseWritesWithoutSetterAndAccessOfAnotherKindOrObject) {
    TSample sample;
    const PropertyInfo& version = Property(sample, "Version");
    EXPECT_FALSE(version.HasSetter());
    EXPECT_THROW(version.SetString(sample, "2.0"), PropertyError);
    EXPECT_EQ(version.GetString(sample), "1.0");
    EXPECT_THROW(version.GetInteger(sample), PropertyError);

    const PropertyInfo& ratio = Property(sample, "Ratio");
    EXPECT_EQ(ratio.Kind(), PropertyKind::Float);
    EXPECT_TRUE(ratio.HasSetter());
    ratio.SetFloat(sample, 0.5);
    EXPECT_DOUBLE_EQ(sample.Ratio(), 0.5);
    Property(sample, "title").SetWideString(sample, L"Titel");
    EXPECT_EQ(sample.Title(), L"Titel");

    TButton button(nullptr);
    TFont font;
    EXPECT_THROW(Property(button, "Left").SetInteger(font, 5), PropertyError);
    EXPECT_THROW(Property(button, "Caption").SetInteger(button, 5), PropertyError);
}

TEST(Properties, EnumerationsConvertBetweenNamesAndOrdinals) {
    EXPECT_EQ(AlignmentType.OrdinalOf("TACENTER"), 2);
    EXPECT_EQ(AlignmentType.ValueName(1), "taRightJustify");
    EXPECT_EQ(AlignmentType.OrdinalOf("taMiddle"), std::nullopt);
    EXPECT_EQ(AlignmentType.ValueName(3), "");
    EXPECT_EQ(BooleanType.OrdinalOf("true"), 1);

    TLabel label(nullptr);
    const PropertyInfo& alignment = Property(label, "Alignment");
    alignment.SetOrdinal(label, 2);
    EXPECT_EQ(label.Alignment(), taCenter);
    EXPECT_THROW(alignment.SetOrdinal(label, 3), PropertyError);
    EXPECT_THROW(alignment.SetOrdinal(label, -1), PropertyError);
    EXPECT_EQ(alignment.GetOrdinal(label), 2);

    const PropertyInfo& visible = Property(label, "Visible");
    visible.SetOrdinal(label, 0);
    EXPECT_FALSE(label.Visible());
    EXPECT_EQ(visible.GetOrdinal(label), 0);

    TEdit edit(nullptr);
    Property(edit, "PasswordChar").SetOrdinal(edit, 0xFC);  // a byte above 127 stays a byte
    EXPECT_EQ(Property(edit, "PasswordChar").GetOrdinal(edit), 0xFC);
}

TEST(Properties, SetsReadAndWriteTheirBracketedNotation) {
    EXPECT_EQ(FontStylesType.ToText(TFontStyles{fsBold, fsUnderline}.ToBits()), "[fsBold,fsUnderline]");
    EXPECT_EQ(FontStylesType.ToText(0), "[]");
    EXPECT_EQ(FontStylesType.FromText("[fsItalic, FSBOLD]"), (TFontStyles{fsBold, fsItalic}.ToBits()));
    EXPECT_EQ(FontStylesType.FromText(" [ ] "), 0u);
    for (const char* malformed : {"fsBold", "[fsBold", "fsBold]", "[fsBold,]", "[fsBold,,fsItalic]",
                                  "[fsHeavy]", "[fsBold]x", ""})
        EXPECT_THROW(FontStylesType.FromText(malformed), ConvertError) << malformed;

    // The tray's set holds ten members in 16 bits.
    TTrayIcon tray(nullptr);
    const PropertyInfo& visibility = Property(tray, "Visibility");
    visibility.SetSet(tray, TrayVisibilitiesType.FromText("[tvAutoHide,tvAnimateToTray]"));
    EXPECT_EQ(tray.Visibility(), (TTrayVisibilities{tvAutoHide, tvAnimateToTray}));
    EXPECT_EQ(TrayVisibilitiesType.ToText(visibility.GetSet(tray)), "[tvAutoHide,tvAnimateToTray]");
    EXPECT_THROW(visibility.SetSet(tray, 1u << 12), PropertyError);
    EXPECT_EQ(tray.Visibility(), (TTrayVisibilities{tvAutoHide, tvAnimateToTray}));
}

TEST(Properties, ClassTypedPropertiesGiveTheirObjects) {
    TButton button(nullptr);
    const PropertyInfo& fontProperty = Property(button, "Font");
    TPersistent* font = fontProperty.GetObjectValue(button);
    ASSERT_EQ(font, &button.Font());
    Property(*font, "Size").SetInteger(*font, 12);
    EXPECT_EQ(button.Font().Size(), 12);

    TFont other;
    other.SetName("Tahoma");
    fontProperty.SetObjectValue(button, &other);  // copies, keeps its own object
    EXPECT_EQ(button.Font().Name(), "Tahoma");
    EXPECT_EQ(fontProperty.GetObjectValue(button), font);
    TStringList notAFont;
    EXPECT_THROW(fontProperty.SetObjectValue(button, &notAFont), PropertyError);
    EXPECT_THROW(fontProperty.SetObjectValue(button, nullptr), PropertyError);

    TComboBox combo(nullptr);
    EXPECT_TRUE(HasClassInChain(Property(combo, "Items").GetObjectValue(combo), "TStrings"));

    // A component reference may be unassigned.
    TTrayIcon tray(nullptr);
    TPopupMenu popup(nullptr);
    const PropertyInfo& popupMenu = Property(tray, "PopupMenu");
    EXPECT_EQ(popupMenu.GetObjectValue(tray), nullptr);
    popupMenu.SetObjectValue(tray, &popup);
    EXPECT_EQ(tray.PopupMenu(), &popup);
    popupMenu.SetObjectValue(tray, nullptr);
    EXPECT_EQ(tray.PopupMenu(), nullptr);
}

// Catches a table line whose getter or setter belongs to another class or
// stores into the wrong field.
TEST(Properties, EveryPublishedPropertyReadsBackWhatWasWritten) {
    TForm form(nullptr);
    auto* combo = new TComboBox(&form);
    auto* radio = new TRadioGroup(&form);
    combo->Items().SetText("a\nb");  // so that ItemIndex 0 is a valid selection
    radio->Items().SetText("a\nb");
    const std::vector<TPersistent*> objects = {
        &form, new TButton(&form), new TLabel(&form), new TCheckBox(&form), new TEdit(&form),
        combo, new TMemo(&form), new TGroupBox(&form), radio,
        new TPanel(&form), new TProgressBar(&form), new TPopupMenu(&form), new TMenuItem(&form),
        new TTrayIcon(&form), new TLinkLabel(&form), &form.Font()};
    TPopupMenu otherMenu(nullptr);
    int checked = 0;
    for (TPersistent* object : objects) {
        const std::string text = "x" + std::to_string(checked);  // names must differ
        for (const PropertyInfo* property : object->Class().Properties()) {
            SCOPED_TRACE(std::string(object->ClassName()) + "." + property->Name());
            if (!property->HasSetter()) continue;
            // Each value written differs from the one read before.
            switch (property->Kind()) {
                case PropertyKind::Integer: {
                    const std::int32_t value = property->GetInteger(*object) + 1;
                    property->SetInteger(*object, value);
                    EXPECT_EQ(property->GetInteger(*object), value);
                    break;
                }
                case PropertyKind::Enumeration: {
                    const int count = property->TypeOfEnumeration()->Count();
                    const int value = (property->GetOrdinal(*object) + 1) % count;
                    property->SetOrdinal(*object, value);
                    EXPECT_EQ(property->GetOrdinal(*object), value);
                    break;
                }
                case PropertyKind::Char: {
                    const int value = property->GetOrdinal(*object) + 1;
                    property->SetOrdinal(*object, value);
                    EXPECT_EQ(property->GetOrdinal(*object), value);
                    break;
                }
                case PropertyKind::String:
                    property->SetString(*object, text);
                    EXPECT_EQ(property->GetString(*object), text);
                    break;
                case PropertyKind::Set: {
                    const std::uint32_t all = (1u << property->TypeOfSet()->MemberType().Count()) - 1;
                    const std::uint32_t value = property->GetSet(*object) ^ all;
                    property->SetSet(*object, value);
                    EXPECT_EQ(property->GetSet(*object), value);
                    break;
                }
                case PropertyKind::Class:
                    if (TPersistent* value = property->GetObjectValue(*object)) {
                        property->SetObjectValue(*object, value);
                        EXPECT_EQ(property->GetObjectValue(*object), value);
                    } else {
                        property->SetObjectValue(*object, &otherMenu);
                        EXPECT_EQ(property->GetObjectValue(*object), &otherMenu);
                        property->SetObjectValue(*object, nullptr);
                    }
                    break;
                default:
                    ADD_FAILURE() << "unexpected kind";
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}
