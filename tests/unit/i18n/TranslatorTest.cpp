#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Application.h"
#include "support/MemoryFileSystem.h"
#include "i18n/Translator.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "component/Collection.h"
#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/Memo.h"
#include "controls/Menus.h"
#include "controls/RadioGroup.h"

using namespace velora;
using namespace velora::component;
using namespace velora::controls;
using velora::i18n::TTranslator;
using velora::fakes::MemoryFileSystem;

namespace {

// A component with a collection, which none of the program's forms has.
class TColumn : public TCollectionItem {
public:
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TColumn", &TCollectionItem::StaticClass(), {
            Prop::String("Caption", &TColumn::Caption, &TColumn::SetCaption),
            Prop::Integer("Width", &TColumn::Width, &TColumn::SetWidth),
        }};
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }

private:
    std::string caption_;
    int width_ = 50;
};

class TColumnList : public TComponent {
public:
    explicit TColumnList(TComponent* owner) : TComponent(owner) {
        columns_.Add();
        columns_.Add();
    }
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TColumnList", &TComponent::StaticClass(), {
            Prop::Object("Columns", &TColumnList::Columns, &TColumnList::SetColumns),
        }};
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
    TCollection& Columns() const { return columns_; }
    void SetColumns(const TCollection&) {}
    const TColumn& Column(int index) const { return static_cast<const TColumn&>(columns_.Items(index)); }

private:
    mutable TCollection columns_{[] { return std::make_unique<TColumn>(); }};
};

struct TranslatorFixture {
    MemoryFileSystem files;
    TTranslator translator{nullptr, files};
    TranslatorFixture() { translator.FormsToTranslate = app::ApplicationForms; }
    void Load(const std::string& xml) { translator.Document().LoadFromString(xml); }
};

}  // namespace

TEST(TranslatorForms, BaseNameFirstElementInDocumentOrderAndNestedElements) {
    app::TApplication application;
    auto* main = application.CreateForm<TForm>("formMain");
    auto* options = application.CreateForm<TForm>("formOptions");
    auto* secondOptions = application.CreateForm<TForm>("formOptions");
    auto* update = application.CreateForm<TForm>("formUpdate");
    ASSERT_EQ(secondOptions->Name(), "formOptions_1");

    TranslatorFixture fixture;
    fixture.files.files["en.lang"] = R"(<language>
        <FORMMAIN caption="first"/>
        <formMain Caption="second"/>
        <group><formUpdate Caption="nested"/></group>
        <formOptions Caption="options" Name="renamed"/>
      </language>)";
    fixture.translator.ApplyLanguageFile("en.lang");

    EXPECT_EQ(main->Caption(), "first");
    EXPECT_EQ(options->Caption(), "options");
    EXPECT_EQ(secondOptions->Caption(), "options");
    EXPECT_EQ(update->Caption(), "nested");
    EXPECT_EQ(options->Name(), "formOptions");
    EXPECT_EQ(secondOptions->Name(), "formOptions_1");
}

TEST(TranslatorComponents, CaptionsListsAndTextRulesOfAFormElement) {
    TForm form(nullptr);
    form.SetName("formOptions");
    auto* radio = CreateComponent<TRadioGroup>(form, "radioLanguage");
    radio->Items().Add("deutsch");
    radio->Items().Add("englisch");
    auto* ok = CreateComponent<TButton>(form, "buttonOk");
    auto* label = CreateComponent<TLabel>(form, "labelLogin");
    auto* send = CreateComponent<TMenuItem>(form, "menuitemSend");
    auto* memo = CreateComponent<TMemo>(form, "memoHistory");
    memo->Lines().Add("one");
    memo->Lines().Add("two");
    memo->Lines().Add("three");

    TranslatorFixture fixture;
    fixture.Load(R"(<language><formOptions>
        <!-- a comment -->
        <RADIOLANGUAGE CAPTION="Language">
          <Items><!-- c --><Item Index="1" Value="English"/><Item Index="5" Value="five"/><Item Value="none"/></Items>
        </RADIOLANGUAGE>
        loose text
        <buttonOk Name="buttonOther" caption="O&amp;K" Hint="a\nb\nc"/>
        <unknownThing Caption="x"><buttonOk Caption="not reached"/></unknownThing>
        <labelLogin Caption="line1\nline2\nline3" Alignment="taCenter" Layout="1">text of no meaning</labelLogin>
        <menuitemSend Caption="&amp;Send" ShortCut="Ctrl+S"/>
        <memoHistory><Lines>
<![CDATA[first
second]]></Lines></memoHistory>
      </formOptions></language>)");
    fixture.translator.ApplyToForm(form);

    EXPECT_EQ(radio->Caption(), "Language");
    ASSERT_EQ(radio->Items().Count(), 2);
    EXPECT_EQ(radio->Items()[0], "deutsch");
    EXPECT_EQ(radio->Items()[1], "English");
    EXPECT_EQ(ok->Name(), "buttonOk");
    EXPECT_EQ(ok->Caption(), "O&K");
    EXPECT_EQ(ok->Hint(), "a\r\nb\\nc");
    EXPECT_EQ(label->Caption(), "line1\r\nline2\\nline3");
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(label->Layout(), tlCenter);
    EXPECT_EQ(send->Caption(), "&Send");
    EXPECT_EQ(send->ShortCut(), scCtrl | 'S');
    ASSERT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Lines()[0], "first");
    EXPECT_EQ(memo->Lines()[1], "second");
}

TEST(TranslatorValues, ConversionTableAndSubObjects) {
    TForm form(nullptr);
    form.SetName("formMain");
    auto* label = CreateComponent<TLabel>(form, "labelLand");
    auto* box = CreateComponent<TCheckBox>(form, "checkboxAutostart");
    auto* other = CreateComponent<TCheckBox>(form, "checkboxOnlineStatus");
    label->SetAlignment(taRightJustify);

    TranslatorFixture fixture;
    fixture.Load(R"(<formMain BorderIcons="[biSystemMenu" Caption="after bad set" Position="poScreenCenter">
        <labelLand Left="12" Width="abc" Top="4294967297" Height="-4294967295" Alignment="7" Layout="tlBottom">
          <Font Size="12" Style="[fsBold, FSITALIC]"><Name>Arial</Name><Color>255</Color><Style>[oops]</Style><Nothing>1</Nothing></Font>
        </labelLand>
        <checkboxAutostart Checked="TRUE" Enabled="0" Visible="maybe" Hint="kept"/>
        <checkboxOnlineStatus Checked="1" ShowHint="true"/>
        <Font Name="Tahoma"/>
      </formMain>)");
    fixture.translator.ApplyToForm(form);

    EXPECT_EQ(form.Caption(), "after bad set");
    EXPECT_EQ(form.BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize, biMaximize}));
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Font().Name(), "Tahoma");

    EXPECT_EQ(label->Left(), 12);
    EXPECT_EQ(label->Width(), -1);
    EXPECT_EQ(label->Top(), 1);
    EXPECT_EQ(label->Height(), 1);
    EXPECT_EQ(label->Alignment(), taRightJustify);  // ordinal out of range: left alone
    EXPECT_EQ(label->Layout(), tlBottom);
    EXPECT_EQ(label->Font().Name(), "Arial");
    EXPECT_EQ(label->Font().Size(), 12);
    EXPECT_EQ(label->Font().Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(label->Font().Color(), 255);

    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->Enabled());
    EXPECT_TRUE(box->Visible());
    EXPECT_EQ(box->Hint(), "kept");
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(other->ShowHint());
}

TEST(TranslatorGuards, AFailingChildEndsOnlyItsOwnComponentsWalk) {
    TForm form(nullptr);
    form.SetName("formMain");
    auto* radio = CreateComponent<TRadioGroup>(form, "radioLanguage");
    radio->Items().Add("deutsch");
    radio->Items().Add("englisch");
    auto* memo = CreateComponent<TMemo>(form, "memoHistory");
    memo->Lines().Add("one");
    auto* columns = CreateComponent<TColumnList>(form, "listColumns");
    auto* ok = CreateComponent<TButton>(form, "buttonOk");

    TranslatorFixture fixture;
    fixture.Load(R"(<formMain Caption="main">
        <radioLanguage Caption="Language">
          <Items><Item Index="0" Value="German"/><Item Index="-3" Value="bad"/><Item Index="1" Value="English"/></Items>
          <Font Name="Arial"/>
        </radioLanguage>
        <memoHistory Hint="memo"><Lines><Line Index="x" Value="bad"/></Lines><Font Name="Arial"/></memoHistory>
        <listColumns>
          <Columns>
            <Column Index="1" Caption="Name" Width="120"/>
            <Column Caption="no index"/>
            <Column Index="7" Caption="beyond"/>
            <Column Index="-2" Caption="bad"/>
            <Column Index="0" Caption="never"/>
          </Columns>
        </listColumns>
        <buttonOk Caption="OK"/>
      </formMain>)");
    fixture.translator.ApplyToForm(form);

    EXPECT_EQ(form.Caption(), "main");
    EXPECT_EQ(radio->Caption(), "Language");
    EXPECT_EQ(radio->Items()[0], "German");
    EXPECT_EQ(radio->Items()[1], "englisch");
    EXPECT_EQ(radio->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(memo->Hint(), "memo");
    EXPECT_EQ(memo->Lines()[0], "one");
    EXPECT_EQ(memo->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(columns->Column(1).Caption(), "Name");
    EXPECT_EQ(columns->Column(1).Width(), 120);
    EXPECT_EQ(columns->Column(0).Caption(), "");
    EXPECT_EQ(ok->Caption(), "OK");
}

TEST(TranslatorExclusions, NameIsProtectedAndClassesCanBeExcluded) {
    MemoryFileSystem files;
    TTranslator translator(nullptr, files);
    EXPECT_TRUE(translator.IsExcluded(TForm::StaticClass(), "NAME"));
    EXPECT_FALSE(translator.IsExcluded(TFont::StaticClass(), "Name"));
    EXPECT_FALSE(translator.IsExcluded(TForm::StaticClass(), ""));

    translator.ExcludeProperty(TLabel::StaticClass(), "Hint");
    translator.ExcludeProperty(TButton::StaticClass(), "Caption");
    EXPECT_TRUE(translator.IsExcluded(TLabel::StaticClass(), "hint"));
    EXPECT_FALSE(translator.IsExcluded(TLabel::StaticClass(), ""));
    translator.ExcludeProperty(TLabel::StaticClass(), "");
    translator.ExcludeProperty(TLabel::StaticClass(), "Caption");  // stays class-wide
    EXPECT_TRUE(translator.IsExcluded(TLabel::StaticClass(), ""));
    EXPECT_FALSE(translator.IsExcluded(TButton::StaticClass(), ""));
    // The class-wide hit moved its entry to the front; the others still count.
    EXPECT_TRUE(translator.IsExcluded(TButton::StaticClass(), "caption"));
    EXPECT_TRUE(translator.IsExcluded(TLabel::StaticClass(), "Name"));

    TForm form(nullptr);
    form.SetName("formOptions");
    auto* label = CreateComponent<TLabel>(form, "labelLand");
    auto* button = CreateComponent<TButton>(form, "buttonOk");
    translator.Document().LoadFromString(
        R"(<formOptions><labelLand Caption="Country"/><buttonOk Caption="OK" Hint="hint"/></formOptions>)");
    translator.ApplyToForm(form);
    EXPECT_EQ(label->Caption(), "");
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->Hint(), "hint");
}

TEST(TranslatorLookup, CategoriesKeysAndTheirTexts) {
    TranslatorFixture fixture;
    EXPECT_EQ(fixture.translator.LookupText("messages", "notOnline"), "");

    fixture.Load(R"(<messages>
        <text>plain</text>
        <attribute Value="from attribute"></attribute>
        <both Value="ignored">the text</both>
        <cdata><![CDATA[inside]]></cdata>
        <empty/>
      </messages>)");
    auto& translator = fixture.translator;
    EXPECT_EQ(translator.LookupText("messages", "text"), "plain");
    EXPECT_EQ(translator.LookupText("MESSAGES", "Attribute"), "from attribute");
    EXPECT_EQ(translator.LookupText("messages", "both"), "the text");
    EXPECT_EQ(translator.LookupText("messages", "cdata"), "");
    EXPECT_EQ(translator.LookupText("messages", "empty"), "");
    EXPECT_EQ(translator.LookupText("messages", "missing"), "");
    EXPECT_EQ(translator.LookupText("countries", "text"), "");

    fixture.Load(R"(<language>
        <notOnline>outside the category</notOnline>
        <x><countries><group><DEU>Deutschland</DEU></group><target Value="deep first"/></countries></x>
        <target Value="later"/>
        <messages/>
      </language>)");
    EXPECT_EQ(translator.LookupText("countries", "deu"), "Deutschland");
    EXPECT_EQ(translator.LookupText("messages", "notOnline"), "");
    EXPECT_EQ(translator.LookupText("language", "target"), "deep first");
}

TEST(TranslatorLookup, AttributesBesideAComponentsOwnAreLeftToTheirReader) {
    TranslatorFixture fixture;
    EXPECT_EQ(fixture.translator.LookupAttribute("formOptions", "checkboxAutostart", "CaptionLogIn"), "");

    fixture.Load(R"(<language><formOptions>
        <checkboxAutostart Caption="when Windows starts" CaptionLogIn="when you log in"/>
      </formOptions><formOptions><other CaptionLogIn="second form"/></formOptions></language>)");
    auto& translator = fixture.translator;
    EXPECT_EQ(translator.LookupAttribute("FORMOPTIONS", "checkboxautostart", "captionlogin"), "when you log in");
    EXPECT_EQ(translator.LookupAttribute("formOptions", "checkboxAutostart", "Hint"), "");
    EXPECT_EQ(translator.LookupAttribute("formOptions", "missing", "CaptionLogIn"), "");
    EXPECT_EQ(translator.LookupAttribute("formOptions", "other", "CaptionLogIn"), "");
    EXPECT_EQ(translator.LookupAttribute("formMain", "checkboxAutostart", "CaptionLogIn"), "");

    // ApplyToForm sets the component's own property only.
    TForm form(nullptr);
    form.SetName("formOptions");
    auto* box = CreateComponent<TCheckBox>(form, "checkboxAutostart");
    translator.ApplyToForm(form);
    EXPECT_EQ(box->Caption(), "when Windows starts");
}

TEST(TranslatorFiles, MissingAndMalformedFilesAreAbsorbed) {
    app::TApplication application;
    auto* main = application.CreateForm<TForm>("formMain");
    main->SetCaption("designed");

    TranslatorFixture fixture;
    auto& translator = fixture.translator;
    fixture.files.files["good.lang"] = "<language><messages><notOnline>old</notOnline></messages></language>";
    fixture.files.files["bad.lang"] =
        R"(<language><formMain Caption="new"/><messages><notOnline>new</notOnline></messages><broken attr></language>)";

    EXPECT_NO_THROW(translator.ApplyLanguageFile("missing.lang"));
    EXPECT_EQ(translator.Document().Root().ItemCount(), 0);
    translator.ApplyLanguageFile("good.lang");
    EXPECT_EQ(translator.LookupText("messages", "notOnline"), "old");
    translator.ApplyLanguageFile("missing.lang");
    EXPECT_EQ(translator.LookupText("messages", "notOnline"), "old");

    // The elements completed before the fault stay in force, but the forms
    // are not translated by the failed load itself.
    EXPECT_NO_THROW(translator.ApplyLanguageFile("bad.lang"));
    EXPECT_EQ(main->Caption(), "designed");
    EXPECT_EQ(translator.LookupText("messages", "notOnline"), "new");
    translator.ApplyToForm(*main);
    EXPECT_EQ(main->Caption(), "new");
}

TEST(TranslatorSearch, VeryDeepDocumentsAreSearchedInDocumentOrder) {
    constexpr int kDepth = 200000;
    std::string xml;
    xml.reserve(kDepth * 7 + 64);
    for (int i = 0; i < kDepth; ++i) xml += "<a>";
    xml += R"(<deep Value="found"/>)";
    for (int i = 0; i < kDepth; ++i) xml += "</a>";

    TranslatorFixture fixture;
    ASSERT_NO_THROW(fixture.Load(xml));
    const i18n::TSimpleXMLElem* deep = fixture.translator.FindElementDeep(nullptr, "DEEP");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep->PropertyValue("Value"), "found");
    EXPECT_EQ(fixture.translator.LookupText("a", "deep"), "found");
    EXPECT_EQ(fixture.translator.FindElementDeep(nullptr, "absent"), nullptr);
    EXPECT_EQ(fixture.translator.FindElementDeep(nullptr, ""), nullptr);
}
