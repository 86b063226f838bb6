#include <gtest/gtest.h>

#include <filesystem>

#include "support/ProgramFixture.h"

using namespace velora;
using velora::forms::formMain;

namespace {

class MainWindow : public fakes::ProgramFixture {
protected:
    std::string Base() const { return std::string(app::ServiceBaseUrl); }
};

}  // namespace

TEST_F(MainWindow, PagesOpenLoggedInAndTheCreditsPageInTheSystemBrowser) {
    WriteSettings("[account]\r\nmobile=491721234567\r\npassword=pw\r\n[language]\r\nlang=en\r\n");
    Start();
    const std::string login = "&sVersion=0.9.6.4&sMd5Login=" +
                              account::Md5ToHex(account::Md5OfText("491721234567pw")) + "&lang=en";

    formMain->menuitemReminder->Click();
    EXPECT_EQ(formMain->browser->LocationURL(), Base() + "/send?method=reminder&sApp=DW&&bSmallApp=1" + login);
    EXPECT_TRUE(formMain->Visible());
    EXPECT_FALSE(peer.broughtToFront.empty());

    formMain->Hide();
    formMain->menuitemCredits->Click();
    EXPECT_FALSE(formMain->Visible());
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{Base() + "/info?method=prices&sApp=DW" + login}));

    // The tray's double click and a later start of the program both open
    // the send page.
    formMain->tray->OnDblClick(formMain->tray, component::mbLeft, {}, 0, 0);
    EXPECT_EQ(formMain->browser->LocationURL(), Base() + "/send?sApp=DW&&bSmallApp=1" + login);
    formMain->menuitemFile->Click();
    app::OnSecondInstance()();
    EXPECT_EQ(formMain->browser->LocationURL(), Base() + "/send?sApp=DW&&bSmallApp=1" + login);
}

TEST_F(MainWindow, OfflineShowsTheMessageAndNothingElse) {
    Start();
    desktop.connected = false;
    formMain->menuitemContacts->Click();
    formMain->menuitemUpdate->Click();
    EXPECT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].rfind("VELORA Desktop: ", 0), 0u);
    EXPECT_FALSE(formMain->Visible());
    EXPECT_EQ(formMain->browser->LocationURL(), "");
    EXPECT_FALSE(Store().HasValue("check\\LastCheck"));

    // Online, the entry makes the check due and starts it at once, which
    // stores the time of the start.
    desktop.connected = true;
    formMain->menuitemUpdate->Click();
    const std::string lastCheck = Store().GetString("check\\LastCheck", "missing");
    EXPECT_NE(lastCheck, "missing");
    EXPECT_NE(lastCheck, "0");
}

TEST_F(MainWindow, ClosingHidesStoresThePositionAndShowsTheNoticeOnce) {
    Start();
    EXPECT_EQ(formMain->Left(), 302);
    EXPECT_EQ(formMain->Top(), 119);
    EXPECT_EQ(formMain->ClientWidth(), 420);
    EXPECT_EQ(formMain->ClientHeight(), 530);

    formMain->Show();
    formMain->SetLeft(10);
    formMain->SetTop(20);
    formMain->Close();
    EXPECT_FALSE(formMain->Visible());
    formMain->Show();
    formMain->SetLeft(30);
    formMain->Close();
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(ReadSettings().find("[formMain]\r\nleft=30\r\ntop=20\r\n"), std::string::npos);
    EXPECT_NE(ReadSettings().find("[intern]\r\nfirststart=false\r\n"), std::string::npos);
    EXPECT_FALSE(application->Terminated());

    formMain->SetLeft(-5000);
    formMain->menuitemExit->Click();
    EXPECT_TRUE(application->Terminated());
    EXPECT_NE(ReadSettings().find("left=-5000"), std::string::npos);
}

TEST_F(MainWindow, ExitEndsTheProgramEvenWhenTheSettingsCannotBeWritten) {
    Start();
    // A folder where the settings file should be: nothing can be written.
    const auto file = settings::testing::ScratchFolder::Native(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"));
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    formMain->menuitemExit->Click();
    EXPECT_TRUE(application->Terminated());
    ASSERT_EQ(peer.errors.size(), 1u);
    EXPECT_NE(peer.errors[0].find("Cannot create file"), std::string::npos) << peer.errors[0];
}

TEST_F(MainWindow, TranslatedFromTheLanguageFileWithPlaceholdersFilled) {
    WriteSettings("[language]\r\nlang=en\r\n");
    Start();
    EXPECT_EQ(formMain->Caption(), "VELORA Desktop");
    EXPECT_EQ(formMain->menuitemExit->Caption(), "E&xit");
    EXPECT_EQ(formMain->menuitemBreak2->Caption(), "-");
    EXPECT_EQ(formMain->tray->Hint(), "VELORA");
    EXPECT_FALSE(app::Vars().MsgNotOnline.empty());
    EXPECT_EQ(app::Vars().MsgNotOnline.find("%sAPP_NAME"), std::string::npos);
}

TEST_F(MainWindow, TrayIconAsTheProgramSetsIt) {
    Start();
    const auto& tray = *formMain->tray;
    EXPECT_TRUE(tray.Active());
    EXPECT_EQ(tray.PopupMenu(), formMain->popupTray);
    EXPECT_EQ(tray.DropDownMenu(), formMain->popupTray);
    EXPECT_FALSE(tray.Visibility().Contains(controls::tvVisibleTaskBar));
    EXPECT_TRUE(tray.Visibility().Contains(controls::tvAutoHide));
    EXPECT_EQ(tray.Icon(), controls::TIcon::ApplicationIcon());
    ASSERT_EQ(formMain->popupTray->Items().Count(), 11);
    EXPECT_EQ(formMain->popupTray->Items().Items(3), formMain->menuitemBreak1);
    EXPECT_EQ(formMain->popupTray->Items().Items(10), formMain->menuitemExit);
}

TEST_F(MainWindow, PageAskedForBeforeTheKeyStoreAnswersWaitsForItsDigest) {
    fakes::FakeSecretStore keyStore;
    keyStore.secrets["491721234567"] = "geheim";
    secretStore = &keyStore;
    WriteSettings("[account]\r\nmobile=491721234567\r\npassword=secret-service:\r\n");
    Start();
    const std::string digest = account::Md5ToHex(account::Md5OfText("491721234567geheim"));

    formMain->OpenSendPage();
    EXPECT_EQ(formMain->browser->LocationURL(), "") << "opened before the password was known";
    EXPECT_FALSE(formMain->Visible());
    keyStore.Respond();
    EXPECT_EQ(formMain->browser->LocationURL(),
              Base() + "/send?sApp=DW&&bSmallApp=1&sVersion=0.9.6.4&sMd5Login=" + digest + "&lang=de");
    EXPECT_TRUE(formMain->Visible());

    // A key store that keeps the program waiting past its bound: the page
    // opens without a digest, never with the stored marker.
    WriteSettings("[account]\r\nmobile=491721234567\r\npassword=secret-service:\r\n");
    application.reset();
    Start();
    formMain->menuitemContacts->Click();
    keyStore.Patience();
    EXPECT_EQ(formMain->browser->LocationURL(), Base() + "/contacts?sApp=DW&bSmallApp=1&sVersion=0.9.6.4&&lang=de");
    keyStore.Respond();
    formMain->menuitemContacts->Click();
    EXPECT_EQ(formMain->browser->LocationURL(),
              Base() + "/contacts?sApp=DW&bSmallApp=1&sVersion=0.9.6.4&sMd5Login=" + digest + "&lang=de");
}

TEST_F(MainWindow, ThePagesZoomIsKeptInTheSettingsAndAHostileValueClamps) {
    Start();
    EXPECT_EQ(formMain->browser->Zoom(), 100);
    EXPECT_FALSE(Store().HasValue("formMain\\zoom"));

    // A zoom key in the page.
    formMain->browser->ChangeZoom(controls::ZoomChange::In);
    formMain->browser->ChangeZoom(controls::ZoomChange::In);
    EXPECT_NE(ReadSettings().find("[formMain]\r\nzoom=125\r\n"), std::string::npos) << ReadSettings();

    // The next start shows the pages at it.
    application.reset();
    Start();
    EXPECT_EQ(formMain->browser->Zoom(), 125);
    formMain->browser->ChangeZoom(controls::ZoomChange::Reset);
    EXPECT_EQ(Store().GetString("formMain\\zoom", ""), "100");

    const std::pair<const char*, int> stored[] = {
        {"5000", 300}, {"-1", 30}, {"0", 30}, {"99999999999999999999", 100}, {"big", 100}, {"", 100}, {"105", 105}};
    for (const auto& [text, zoom] : stored) {
        WriteSettings(std::string("[formMain]\r\nzoom=") + text + "\r\n");
        application.reset();
        Start();
        EXPECT_EQ(formMain->browser->Zoom(), zoom) << text;
        // Stepping goes on from the clamped value (at the lowest step only
        // upwards).
        const controls::ZoomChange change = zoom == 30 ? controls::ZoomChange::In : controls::ZoomChange::Out;
        formMain->browser->ChangeZoom(change);
        EXPECT_EQ(Store().GetString("formMain\\zoom", ""), std::to_string(controls::ChangedZoom(zoom, change))) << text;
    }
}
