#include <gtest/gtest.h>

#include "account/uMd5.h"
#include "app/uModuleMain.h"
#include "app/uVars.h"
#include "platform/ProgramVersion.h"
#include "settings/SettingsTestSupport.h"
#include "support/FakeDesktop.h"
#include "support/FakeKeyStores.h"

using namespace velora;
using velora::settings::testing::FakeFolders;
using velora::settings::testing::FixedFormats;
using velora::settings::testing::ScratchFolder;

namespace {

class ModuleMain : public ::testing::Test {
protected:
    ModuleMain() {
        folders.appData = scratch.Folder();
        folders.programFile = R"(C:\Program Files\VELORA\VELORADesktop.exe)";
        formats.formats = settings::testing::GermanFormats();
        app::SetAppVersion(app::Vars(), "0.9.6.4");
    }

    app::TmoduleMain& Module() {
        if (!module) {
            module = std::make_unique<app::TmoduleMain>(
                nullptr, app::ModuleServices{files, folders, formats, desktop, version, dataProtection});
            module->DataModuleCreate();
        }
        return *module;
    }
    void WriteSettings(const std::string& content) {
        ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), content);
    }

    ScratchFolder scratch;
    platform::StdFileSystem files;
    FakeFolders folders;
    FixedFormats formats;
    fakes::FakeDesktop desktop;
    struct : platform::ProgramVersion {
        std::optional<platform::FileVersion> FileVersionOfProgram() const override { return std::nullopt; }
    } version;
    std::unique_ptr<app::TmoduleMain> module;
    platform::DataProtection* dataProtection = nullptr;
};

}  // namespace

TEST_F(ModuleMain, ServiceUrlsCarryVersionLoginAndLanguage) {
    const std::string base = std::string(app::ServiceBaseUrl);
    EXPECT_EQ(Module().ServiceUrl(app::spSend), base + "/send?sApp=DW&&bSmallApp=1&sVersion=0.9.6.4&&lang=de");

    Module().storageIni().PutString("account\\mobile", "491721234567");
    Module().storageIni().PutString("account\\password", "geheim");
    const std::string digest = account::Md5ToHex(account::Md5OfText("491721234567geheim"));
    EXPECT_EQ(Module().ServiceUrl(app::spContacts),
              base + "/contacts?sApp=DW&bSmallApp=1&sVersion=0.9.6.4&sMd5Login=" + digest + "&lang=de");

    // An empty password: the digest of the number alone. A password with an
    // umlaut enters as its one ANSI byte.
    Module().storageIni().PutString("account\\password", "");
    EXPECT_NE(Module().LoginQuery().find(account::Md5ToHex(account::Md5OfText("491721234567"))), std::string::npos);
    Module().storageIni().PutString("account\\password", "gr\xFCn");
    EXPECT_NE(Module().LoginQuery().find(account::Md5ToHex(account::Md5OfText("491721234567gr\xFCn"))),
              std::string::npos);

    // A password but no number: no login parameter at all.
    Module().storageIni().PutString("account\\mobile", "");
    EXPECT_EQ(Module().LoginQuery(), "&sVersion=0.9.6.4&");
}

TEST_F(ModuleMain, ProtectedPasswordGivesTheAddressesAPlainOneGave) {
    const std::string plainFile = "[account]\r\nmobile=491721234567\r\npassword=geheim\r\n";
    WriteSettings(plainFile);
    const std::string before = Module().ServiceUrl(app::spSend);
    EXPECT_NE(before.find("&sMd5Login=" + account::Md5ToHex(account::Md5OfText("491721234567geheim")) + "&"),
              std::string::npos);
    module.reset();

    // The start moves the password into the data protection; every address stays.
    fakes::FakeDataProtection protection;
    dataProtection = &protection;
    WriteSettings(plainFile);
    EXPECT_EQ(Module().ServiceUrl(app::spSend), before);
    const std::string file = ScratchFolder::Read(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"));
    EXPECT_EQ(file.find("geheim"), std::string::npos);
    EXPECT_NE(file.find("\r\npassword=dpapi:"), std::string::npos);
    module.reset();
    EXPECT_EQ(Module().ServiceUrl(app::spSend), before);

    // Damaged: no digest, and nothing of the stored value in the address.
    Module().storageIni().PutString("account\\password", "dpapi:Z2VoZWlt");
    EXPECT_EQ(Module().ServiceUrl(app::spSend),
              std::string(app::ServiceBaseUrl) + "/send?sApp=DW&&bSmallApp=1&sVersion=0.9.6.4&&lang=de");
}

TEST_F(ModuleMain, StoredEnglishGivesEnglishUrlsAndRegistration) {
    WriteSettings("[language]\r\nlang=en\r\n");
    EXPECT_EQ(app::Vars().CurrentLanguage, "de");  // not yet created
    Module();
    EXPECT_EQ(app::Vars().CurrentLanguage, "en");
    EXPECT_EQ(app::Vars().RegisterUrl, std::string(app::ServiceBaseUrl) + "/register?sApp=DW&lang=en");
    const std::string url = Module().ServiceUrl(app::spPrices);
    EXPECT_EQ(url.substr(url.size() - 8), "&lang=en");
    EXPECT_NE(ScratchFolder::Read(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)")).find("[version]\r\nexe=0.9.6.4"),
              std::string::npos);
}

TEST_F(ModuleMain, SettingsCannotAddParametersToThePageAddresses) {
    WriteSettings("[language]\r\nlang=de&sMd5Login=00000000000000000000000000000000#x\r\n"
                  "[account]\r\nmobile=491721234567\r\npassword=pw\r\n");
    const std::string url = Module().ServiceUrl(app::spSend);
    EXPECT_EQ(url.find("sMd5Login="), url.rfind("sMd5Login=")) << url;
    EXPECT_EQ(url.find('#'), std::string::npos) << url;
    EXPECT_EQ(url.substr(url.size() - 8), "&lang=de");
}

TEST_F(ModuleMain, MainWindowPositionDefaultsToTheCentreAndKeepsWhatWasStored) {
    EXPECT_EQ(Module().StoredMainLeft(420), 302);
    EXPECT_EQ(Module().StoredMainTop(530), 119);
    desktop.screenWidth = 400;
    EXPECT_EQ(Module().StoredMainLeft(420), -10);

    Module().SaveMainPosition(5000, -7000);
    EXPECT_EQ(Module().StoredMainLeft(420), 5000);
    EXPECT_EQ(Module().StoredMainTop(530), -7000);
}

TEST_F(ModuleMain, TrayNoticeOncePerSettingsFile) {
    Module();
    app::Vars().MsgTray = "L\xE4uft weiter";
    Module().ShowTrayNotice();
    Module().ShowTrayNotice();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0], "VELORA Desktop: L\xE4uft weiter");
    Module().storageIni().RemoveValue("intern\\firststart");
    Module().ShowTrayNotice();
    EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(ModuleMain, OnlineCheckCanBeSwitchedOff) {
    desktop.connected = false;
    EXPECT_FALSE(Module().IsOnline());
    Module().storageIni().PutBoolean("extended\\checkOnline", false);
    EXPECT_TRUE(Module().IsOnline());
}

TEST_F(ModuleMain, AutostartValueHoldsTheQuotedProgramPath) {
    Module().SetAutostart(false);
    EXPECT_EQ(desktop.runValues["VELORADesktop"], R"("C:\Program Files\VELORA\VELORADesktop.exe")");
    Module().SetAutostart(true);
    EXPECT_EQ(desktop.runValues.count("VELORADesktop"), 0u);
    Module().SetAutostart(true);  // removing a missing value is no error
}

TEST_F(ModuleMain, ExternalBrowserWindowIsPlacedOnTheWorkArea) {
    desktop.foreground = {1, 1, 77};
    Module().OpenExternal("http://x/info");
    // The wait returns at once: the window is looked for by a timer.
    EXPECT_TRUE(desktop.moves.empty());
    EXPECT_EQ(desktop.PendingDelayedCalls(), 1u);
    EXPECT_EQ(desktop.RunDelayedCalls(), 2);
    ASSERT_EQ(desktop.moves.size(), 1u);
    EXPECT_EQ(desktop.moves[0].window, 77u);
    EXPECT_EQ(desktop.moves[0].x, 112);
    EXPECT_EQ(desktop.moves[0].y, 20);
    EXPECT_EQ(desktop.moves[0].width, 800);
    EXPECT_EQ(desktop.moves[0].height, 700);
    EXPECT_EQ(desktop.delays, (std::vector<int>{1500, 1500}));
    EXPECT_EQ(desktop.PendingDelayedCalls(), 0u);

    desktop = fakes::FakeDesktop{};
    desktop.workArea = {0, 0, 800, 570};
    desktop.foreground = {1, 2};
    Module().OpenExternal("http://x/info");
    desktop.RunDelayedCalls();
    ASSERT_EQ(desktop.moves.size(), 1u);
    EXPECT_EQ(desktop.moves[0].x, 0);
    EXPECT_EQ(desktop.moves[0].y, -15);
    EXPECT_EQ(desktop.moves[0].height, 600);

    // No new window within four rounds: nothing moves, and the wait ends.
    desktop = fakes::FakeDesktop{};
    desktop.foreground = {5};
    Module().OpenExternal("http://x/info");
    EXPECT_EQ(desktop.RunDelayedCalls(), 4);
    EXPECT_TRUE(desktop.moves.empty());
    EXPECT_EQ(desktop.delays.size(), 4u);
    EXPECT_EQ(desktop.PendingDelayedCalls(), 0u);

    // A failing shell start is silent; offline shows the message instead.
    desktop = fakes::FakeDesktop{};
    desktop.shellResult = 2;
    Module().OpenExternal("http://x/info");
    EXPECT_TRUE(desktop.delays.empty());
    desktop.connected = false;
    app::Vars().MsgNotOnline = "offline";
    Module().OpenExternal("http://x/info");
    EXPECT_EQ(desktop.messages, (std::vector<std::string>{"VELORA Desktop: offline"}));
    EXPECT_EQ(desktop.opened.size(), 1u);
}

// A second page for the system's browser ends the wait for the first one's
// window, and the module's end ends any wait: no call reaches a window or a
// module that is gone.
TEST_F(ModuleMain, ExternalBrowserWaitEndsWithTheNextPageOrTheModule) {
    desktop.foreground = {1, 1, 77};
    Module().OpenExternal("http://x/info");
    Module().OpenExternal("http://x/credits");
    EXPECT_EQ(desktop.PendingDelayedCalls(), 1u);
    EXPECT_EQ(desktop.RunDelayedCalls(), 1);
    ASSERT_EQ(desktop.moves.size(), 1u);
    EXPECT_EQ(desktop.moves[0].window, 77u);

    desktop = fakes::FakeDesktop{};
    desktop.foreground = {1};
    Module().OpenExternal("http://x/info");
    ASSERT_EQ(desktop.PendingDelayedCalls(), 1u);
    module.reset();
    EXPECT_EQ(desktop.PendingDelayedCalls(), 0u);
}

TEST_F(ModuleMain, ExternalBrowserIsLeftToTheWindowManagerWhereTheProgramMayNotPlaceIt) {
    desktop.placesWindows = false;
    desktop.foreground = {1, 77};
    Module().OpenExternal("http://x/info");
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{"http://x/info"}));
    // Neither waits nor looks for the window.
    EXPECT_TRUE(desktop.delays.empty());
    EXPECT_TRUE(desktop.moves.empty());
    EXPECT_EQ(desktop.foregroundQueries, 0u);
}
