#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/Application.h"
#include "i18n/Translator.h"
#include "platform/std/StdFileSystem.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/Memo.h"
#include "controls/Menus.h"
#include "controls/RadioGroup.h"
#include "component/Strings.h"
#include "controls/TrayIcon.h"

using namespace velora;
using namespace velora::component;
using namespace velora::controls;
using velora::i18n::TSimpleXMLElem;
using velora::i18n::TSimpleXMLElemKind;
using velora::i18n::TTranslator;

namespace {

// The program's three forms with the components a language file names.
struct ModelForms {
    app::TApplication application;
    TForm* main = application.CreateForm<TForm>("formMain");
    TForm* options = application.CreateForm<TForm>("formOptions");
    TForm* update = application.CreateForm<TForm>("formUpdate");

    ModelForms() {
        for (const char* name : {"menuitemSend", "menuitemReminder", "menuitemFile", "menuitemBreak1",
                                 "menuitemContacts", "menuitemBreak2", "menuitemCredits", "menuitemUpdate",
                                 "menuitemOptions", "menuitemBreak3", "menuitemExit"})
            CreateComponent<TMenuItem>(*main, name);
        CreateComponent<TPopupMenu>(*main, "popupTray");
        CreateComponent<TTrayIcon>(*main, "tray");

        for (const char* name : {"groupboxLogin", "groupboxExtended", "groupboxIE"})
            CreateComponent<TGroupBox>(*options, name);
        for (const char* name : {"labelLogin", "labelLand", "labelHandyNr", "labelPasswort"})
            CreateComponent<TLabel>(*options, name);
        CreateComponent<TLinkLabel>(*options, "linkRegister");
        for (const char* name : {"checkboxAutostart", "checkboxOnlineStatus", "checkboxIEIntegration"})
            CreateComponent<TCheckBox>(*options, name);
        auto* radio = CreateComponent<TRadioGroup>(*options, "radioLanguage");
        radio->Items().Add("deutsch");
        radio->Items().Add("englisch");
        CreateComponent<TButton>(*options, "buttonOk");

        for (const char* name : {"labelCaptionActual", "labelCaptionInstalled", "labelUpdate", "labelVersionActual",
                                 "labelVersionInstalled", "labelHistory"})
            CreateComponent<TLabel>(*update, name);
        CreateComponent<TButton>(*update, "buttonUpdate");
        CreateComponent<TButton>(*update, "buttonCancel");
        CreateComponent<TMemo>(*update, "memoHistory");
        CreateComponent<TLinkLabel>(*update, "linkDownload");
    }
};

std::string WithFirstLineBreak(std::string value) {
    if (const auto pos = value.find("\\n"); pos != std::string::npos) value.replace(pos, 2, "\r\n");
    return value;
}

// A text kept beside a component's own, which the program reads itself: the
// autostart wording where the program starts at log-in.
bool ReadBeside(const std::string& where, const std::string& attribute) {
    return where == "checkboxAutostart" && attribute == "CaptionLogIn";
}

// Every attribute of the element arrived, as a non-empty text, in the object.
void ExpectAttributesApplied(TPersistent& object, const TSimpleXMLElem& element, const std::string& where) {
    for (int i = 0; i < element.PropertyCount(); ++i) {
        const auto& attribute = element.Property(i);
        if (ReadBeside(where, attribute.Name())) continue;
        const PropertyInfo* property = FindProperty(object, attribute.Name());
        ASSERT_NE(property, nullptr) << where << "." << attribute.Name();
        ASSERT_EQ(property->Kind(), PropertyKind::String) << where << "." << attribute.Name();
        EXPECT_FALSE(attribute.Value().empty()) << where << "." << attribute.Name();
        EXPECT_EQ(property->GetString(object), WithFirstLineBreak(attribute.Value()))
            << where << "." << attribute.Name();
    }
}

// The form element, each of its component elements and their string lists
// all reached the model form.
void ExpectFormTranslated(TTranslator& translator, TForm& form) {
    const TSimpleXMLElem* formElement = translator.FindElementDeep(nullptr, form.Name());
    ASSERT_NE(formElement, nullptr) << form.Name();
    ExpectAttributesApplied(form, *formElement, form.Name());
    int components = 0;
    for (int i = 0; i < formElement->ItemCount(); ++i) {
        const TSimpleXMLElem& element = formElement->Item(i);
        if (!element.Is(TSimpleXMLElemKind::Classic)) continue;
        TComponent* component = form.FindComponent(element.Name());
        ASSERT_NE(component, nullptr) << form.Name() << " has no " << element.Name();
        ++components;
        ExpectAttributesApplied(*component, element, element.Name());
        for (int j = 0; j < element.ItemCount(); ++j) {
            const TSimpleXMLElem& listElement = element.Item(j);
            if (!listElement.Is(TSimpleXMLElemKind::Classic)) continue;
            const PropertyInfo* property = FindProperty(*component, listElement.Name());
            ASSERT_NE(property, nullptr) << element.Name() << "." << listElement.Name();
            auto* list = dynamic_cast<TStrings*>(property->GetObjectValue(*component));
            ASSERT_NE(list, nullptr) << element.Name() << "." << listElement.Name();
            for (int k = 0; k < listElement.ItemCount(); ++k) {
                const TSimpleXMLElem& item = listElement.Item(k);
                if (!item.Is(TSimpleXMLElemKind::Classic)) continue;
                const auto index = item.PropertyIntValue("Index");
                ASSERT_TRUE(index >= 0 && index < list->Count()) << element.Name() << " item " << index;
                EXPECT_FALSE(item.PropertyValue("Value").empty());
                EXPECT_EQ((*list)[static_cast<int>(index)], item.PropertyValue("Value"));
            }
        }
    }
    EXPECT_GT(components, 0) << form.Name();
}

void CheckLanguageFile(const std::string& code) {
    SCOPED_TRACE(code + ".lang");
    const std::string fileName = std::string(VELORA_LANG_DIR) + "/" + code + ".lang";
    platform::StdFileSystem files;
    ModelForms forms;
    TTranslator translator(nullptr, files);
    translator.FormsToTranslate = app::ApplicationForms;

    ASSERT_NO_THROW(translator.Document().LoadFromFile(fileName));
    translator.ApplyLanguageFile(fileName);
    ExpectFormTranslated(translator, *forms.main);
    ExpectFormTranslated(translator, *forms.options);
    ExpectFormTranslated(translator, *forms.update);

    for (const char* key : {"notOnline", "noUpdate", "messageTray", "getUpdate", "notVerified", "checkFailed"})
        EXPECT_FALSE(translator.LookupText("messages", key).empty()) << key;
    EXPECT_FALSE(translator.LookupAttribute("formOptions", "checkboxAutostart", "CaptionLogIn").empty());

    const TSimpleXMLElem* countries = translator.FindElementDeep(nullptr, "countries");
    ASSERT_NE(countries, nullptr);
    std::set<std::string> codes;
    for (int i = 0; i < countries->ItemCount(); ++i) {
        const TSimpleXMLElem& country = countries->Item(i);
        if (!country.Is(TSimpleXMLElemKind::Classic)) continue;
        EXPECT_TRUE(codes.insert(country.Name()).second) << "twice: " << country.Name();
        EXPECT_FALSE(translator.LookupText("countries", country.Name()).empty()) << country.Name();
    }
    EXPECT_EQ(codes.size(), 241u);
    for (const char* required : {"DEU", "AUT", "USA", "CHE", "GBR"}) EXPECT_EQ(codes.count(required), 1u) << required;
}

}  // namespace

TEST(ShippedLanguageFiles, GermanParsesAndCoversFormsMessagesAndCountries) { CheckLanguageFile("de"); }

TEST(ShippedLanguageFiles, EnglishParsesAndCoversFormsMessagesAndCountries) { CheckLanguageFile("en"); }
