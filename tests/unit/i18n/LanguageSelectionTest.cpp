#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "support/MemoryFileSystem.h"
#include "i18n/LanguageSelection.h"
#include "i18n/Translator.h"
#include "settings/SettingsTestSupport.h"
#include "controls/Form.h"

using namespace velora;
using namespace velora::i18n;
using velora::fakes::MemoryFileSystem;

namespace {

constexpr const char* kProgramFile = R"(C:\Program Files\VELORA\VELORADesktop.exe)";
constexpr const char* kEnglishFile = R"(C:\Program Files\VELORA\en.lang)";
constexpr const char* kGermanFile = R"(C:\Program Files\VELORA\de.lang)";

// Writes every step of the switch into one log, next to the files read.
class RecordingTargets : public LanguageSwitchTargets {
public:
    RecordingTargets(std::vector<std::string>& log, const controls::TForm& form) : log_(log), form_(form) {}
    std::string location;

    std::string SelectedDiallingCode() override {
        log_.push_back("code?");
        return "43";
    }
    void LanguageChosen(const std::string& code) override { log_.push_back("language " + code); }
    void RefillCountryListPlain() override { log_.push_back("plain countries"); }
    void SelectCountryByCode(const std::string& code) override { log_.push_back("select " + code); }
    void UpdateOptionsTexts() override { log_.push_back("options texts, caption " + form_.Caption()); }
    void ApplyMainWindowPlaceholders() override { log_.push_back("main placeholders"); }
    void UpdateUpdateDialogTexts() override { log_.push_back("update texts"); }
    std::string BrowserLocationUrl() override {
        log_.push_back("location?");
        return location;
    }
    void Navigate(const std::string& url) override { log_.push_back("navigate " + url); }

private:
    std::vector<std::string>& log_;
    const controls::TForm& form_;
};

}  // namespace

TEST(LanguageUrlRewrite, TwoLettersAfterTheFirstMarkerOnly) {
    EXPECT_EQ(RewriteLanguageInUrl("http://host/send?sApp=DW&sVersion=1&&lang=de", "en"),
              "http://host/send?sApp=DW&sVersion=1&&lang=en");
    EXPECT_EQ(RewriteLanguageInUrl("http://host/login?next=%2Fsend%3Flang%3Dde&lang=de&x=1", "en"),
              "http://host/login?next=%2Fsend%3Flang%3Den&lang=de&x=1");
    EXPECT_EQ(RewriteLanguageInUrl("http://host/a?lang=de&b=lang=de", "en"), "http://host/a?lang=en&b=lang=de");
    EXPECT_EQ(RewriteLanguageInUrl("http://host/a?LANG=de&lang%3d=de", "en"), std::nullopt);
    EXPECT_EQ(RewriteLanguageInUrl("http://host/a?language", "en"), std::nullopt);
    EXPECT_EQ(RewriteLanguageInUrl("", "en"), std::nullopt);
    // Never past the end: a short tail is overwritten as far as it goes.
    EXPECT_EQ(RewriteLanguageInUrl("http://host/a?lang=d", "en"), "http://host/a?lang=e");
    EXPECT_EQ(RewriteLanguageInUrl("http://host/a?lang=", "en"), "http://host/a?lang=");
    EXPECT_EQ(RewriteLanguageInUrl("lang%3D", "de"), "lang%3D");
}

TEST(LanguageTexts, FileNameBesideTheProgramAndPlaceholders) {
    EXPECT_EQ(LanguageFileName(kProgramFile, "en"), kEnglishFile);
    EXPECT_EQ(LanguageFileName("D:/apps/velora.exe", "de"), "D:/apps/de.lang");
    EXPECT_EQ(LanguageFileName("VELORADesktop.exe", "fr"), "fr.lang");

    EXPECT_EQ(FillAppName("%sAPP_NAME and %sAPP_NAME, not %sapp_name", "VELORA Desktop"),
              "VELORA Desktop and VELORA Desktop, not %sapp_name");
    EXPECT_EQ(FillVersion("v%sVersion/%sVersion%sVERSION", "0.9.6.4"), "v0.9.6.4/0.9.6.4%sVERSION");
    EXPECT_EQ(FillBreak("a%sBREAKb%sBREAK"), "a\r\nb\r\n");
    EXPECT_EQ(FillProductShortName("%sPRODUCT_SHORTNAME <link>x</link>", "VELORA"), "VELORA <link>x</link>");
    EXPECT_EQ(FillFreeSms("%sFREESMS free, %sFREESMS"), "5 free, 5");
}

TEST(LanguageSwitch, StepsInOrderAndTheBrowserFollows) {
    std::vector<std::string> log;
    MemoryFileSystem files;
    files.files[kEnglishFile] = R"(<language><formOptions Caption="English"/></language>)";
    files.files[kGermanFile] = R"(<language><formOptions Caption="Deutsch"/></language>)";
    app::TApplication application;
    auto* options = application.CreateForm<controls::TForm>("formOptions");
    TTranslator translator(nullptr, files);
    translator.FormsToTranslate = app::ApplicationForms;
    RecordingTargets targets(log, *options);
    targets.location = "http://host/send?sApp=DW&&lang=de";

    files.log = &log;
    EXPECT_EQ(LanguageSwitch(1, targets, translator, kProgramFile), "en");
    const std::vector<std::string> expected = {
        "code?",
        "language en",
        "plain countries",
        std::string("read ") + kEnglishFile,
        "select 43",
        "options texts, caption English",
        "main placeholders",
        "update texts",
        "location?",
        "navigate http://host/send?sApp=DW&&lang=en",
    };
    EXPECT_EQ(log, expected);

    // Any index but 1 is German; a page without a language is left alone.
    log.clear();
    targets.location = "about:blank";
    EXPECT_EQ(LanguageSwitch(-1, targets, translator, kProgramFile), "de");
    EXPECT_EQ(log[1], "language de");
    EXPECT_EQ(options->Caption(), "Deutsch");
    EXPECT_EQ(log.back(), "location?");

    // The new file is missing: the forms keep their texts, the code and the
    // browser change all the same.
    files.files.erase(kEnglishFile);
    targets.location = "http://host/send?lang=de";
    EXPECT_EQ(LanguageSwitch(1, targets, translator, kProgramFile), "en");
    EXPECT_EQ(options->Caption(), "Deutsch");
    EXPECT_EQ(log.back(), "navigate http://host/send?lang=en");
}

TEST(StartupLanguage, StoredCodeFileMessagesAndMissingFile) {
    MemoryFileSystem files;
    settings::testing::FakeFolders folders;
    folders.appData = R"(C:\Users\anna\AppData\Roaming)";
    const settings::testing::FixedFormats formats;
    const std::string settingsFile = folders.appData + R"(\VELORA\Desktop\VELORADesktop.ini)";
    files.files[settingsFile] = "[language]\r\nlang=en\r\n";
    files.files[kEnglishFile] = R"(<language><messages>
        <notOnline>%sAPP_NAME is offline, %sAPP_NAME.</notOnline>
        <noUpdate Value="Version %sVersion is current."/>
        <messageTray>%sAPP_NAME stays.%sBREAKBye %sVersion</messageTray>
        <getUpdate>Get %sAPP_NAME %sBREAK</getUpdate>
      </messages></language>)";

    settings::TAppIniFileStorage store(files, folders, formats);
    settings::testing::SetUpAsSettingsStore(store);
    TTranslator translator(nullptr, files);
    const ProductNames names{"VELORA Desktop", "0.9.6.4"};

    StartupLanguage start = LoadStartupLanguage(translator, store, kProgramFile, names);
    EXPECT_EQ(start.code, "en");
    EXPECT_EQ(start.msgNotOnline, "VELORA Desktop is offline, VELORA Desktop.");
    EXPECT_EQ(start.msgNoUpdate, "Version 0.9.6.4 is current.");
    EXPECT_EQ(start.msgTray, "VELORA Desktop stays.\r\nBye %sVersion");
    EXPECT_EQ(start.msgGetUpdate, "Get %sAPP_NAME %sBREAK");

    // A code we ship no file for, or anything else the file may hold, is
    // German: it never reaches a file name or an address. Without the German
    // file the messages are empty.
    std::vector<std::string> log;
    files.log = &log;
    TTranslator fresh(nullptr, files);
    for (const std::string& stored :
         std::vector<std::string>{"fr", R"(..\..\..\windows\win)", "de&sMd5Login=0000#x", std::string(20000, 'e')}) {
        files.files[settingsFile] = "[language]\r\nlang=" + stored + "\r\n";
        log.clear();
        EXPECT_EQ(LoadStartupLanguage(fresh, store, kProgramFile, names).code, "de") << stored;
        EXPECT_NE(std::find(log.begin(), log.end(), R"(read C:\Program Files\VELORA\de.lang)"), log.end()) << stored;
    }
    // Letter case does not matter for a known code.
    files.files[settingsFile] = "[language]\r\nlang=EN\r\n";
    EXPECT_EQ(LoadStartupLanguage(fresh, store, kProgramFile, names).code, "en");

    files.files[settingsFile] = "[language]\r\nlang=fr\r\n";
    TTranslator another(nullptr, files);
    start = LoadStartupLanguage(another, store, kProgramFile, names);
    EXPECT_EQ(start.msgNotOnline, "");
    EXPECT_EQ(start.msgNoUpdate, "");
    EXPECT_EQ(start.msgTray, "");
    EXPECT_EQ(start.msgGetUpdate, "");

    // Nothing stored: German.
    files.files.erase(settingsFile);
    EXPECT_EQ(LoadStartupLanguage(fresh, store, kProgramFile, names).code, "de");
}
