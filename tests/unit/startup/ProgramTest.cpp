#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/EndRequest.h"
#include "app/InstanceHandOver.h"
#include "startup/Program.h"
#include "app/uVars.h"
#include "settings/SettingsTestSupport.h"
#include "net/NetTestSupport.h"
#include "support/FakeDesktop.h"
#include "support/FixedVersion.h"
#include "support/PumpedDispatcher.h"
#include "controls/Form.h"
#include "forms/uFormMain.h"
#include "support/RecordingPeer.h"

using namespace velora;
using velora::settings::testing::FakeFolders;
using velora::settings::testing::FixedFormats;
using velora::settings::testing::ScratchFolder;

namespace {

// Records what start-up asks of the platform; modal forms close at once
// with the result the test chooses.
class FakeHost : public app::ProgramHost {
public:
    void AttachApplication(app::TApplication& application) override { events.push_back("application"); }
    void AttachForm(controls::TForm& form) override {
        form.SetPeer(&peer);
        events.push_back("form " + form.Name());
        if (onAttachForm) onAttachForm();
    }
    void RouteKeysToBrowser(controls::TWebBrowser* browser) override { keyBrowser = browser; }
    void CreateProgramMutex() override { events.push_back("mutex"); }
    bool EnsureSingleInstance() override {
        events.push_back("instance list");
        return firstInstance;
    }
    void RunMessageLoop(app::TApplication& application) override {
        events.push_back("message loop");
        EXPECT_FALSE(application.Terminated());
        for (auto* form : application.Forms())
            if (form->Visible()) events.push_back("visible " + form->Name());
    }
    void ShowException(std::exception_ptr error) override {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            errors.push_back(e.what());
        }
    }

    controls::RecordingPeer peer;
    std::function<void()> onAttachForm;
    controls::TWebBrowser* keyBrowser = nullptr;
    std::vector<std::string> events;
    std::vector<std::string> errors;
    bool firstInstance = true;
};

class ProgramStart : public ::testing::Test {
protected:
    ProgramStart() {
        folders.appData = scratch.Folder();
        folders.programFile = scratch.File("VELORADesktop.exe");
        formats.formats = settings::testing::GermanFormats();
        host.peer.duringModal = [this](controls::TForm& form) {
            host.events.push_back("modal " + form.Name());
            form.SetModalResult(controls::mrCancel);
        };
    }

    int Run(const std::string& commandLine) {
        const app::PlatformServices services{files, folders, formats, version, desktop, http, dispatcher};
        startup::PrepareProcessTexts(services);
        return startup::RunProgram(commandLine, services, host);
    }
    std::string SettingsFile() const { return ScratchFolder::Read(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)")); }

    ScratchFolder scratch;
    settings::testing::CountingFileSystem files;
    FakeFolders folders;
    FixedFormats formats;
    fakes::FixedVersion version;
    fakes::FakeDesktop desktop;
    std::shared_ptr<net::testing::FakeHttpClient> http = std::make_shared<net::testing::FakeHttpClient>();
    std::shared_ptr<fakes::PumpedDispatcher> dispatcher = std::make_shared<fakes::PumpedDispatcher>();
    FakeHost host;
};

}  // namespace

TEST_F(ProgramStart, FirstStartCreatesEverythingInOrderAndAsksForTheAccount) {
    EXPECT_EQ(Run("VELORADesktop.exe"), 0);
    const std::vector<std::string> expected = {
        "application", "form formMain", "form formUpdate", "form formOptions", "mutex", "instance list",
        "modal formOptions", "message loop"};
    EXPECT_EQ(host.events, expected);
    EXPECT_EQ(app::Vars().AppVersion, "0.9.6.4");
    EXPECT_EQ(app::Vars().DataFolder, scratch.Folder() + R"(\VELORA\Desktop\)");
    EXPECT_EQ(SettingsFile().rfind("[version]\r\nexe=0.9.6.4\r\n\r\n", 0), 0u) << SettingsFile();
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(ProgramStart, StoredAccountShowsNothingButTheTray) {
    ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), "[account]\r\nnr=1721234567\r\n");
    Run("VELORADesktop.exe");
    EXPECT_EQ(host.events.back(), "message loop");
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "modal formOptions"), 0);
    // An "account" section without a line is still a first start.
    ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), "[account]\r\n[other]\r\nx=1\r\n");
    host.events.clear();
    Run("VELORADesktop.exe");
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "modal formOptions"), 1);
}

TEST_F(ProgramStart, OptionsSwitchShowsOneDialogAndEndsWithoutALoop) {
    // No account stored: the first-start dialog of the later step must not
    // appear a second time.
    EXPECT_EQ(Run("VELORADesktop.exe /OPTIONS"), 0);
    const std::vector<std::string> expected = {
        "application",   "form formMain", "form formUpdate", "form formOptions", "form formOptions_1",
        "modal formOptions_1", "mutex",   "instance list"};
    EXPECT_EQ(host.events, expected);
}

// A signal on Linux: asked to end while the first start's dialog is open,
// the program ends as through the exit entry, without a message loop.
TEST_F(ProgramStart, AnEndTheDesktopAsksForEndsTheProgramAsTheExitEntryDoes) {
    host.peer.duringModal = [this](controls::TForm& form) {
        host.events.push_back("modal " + form.Name());
        app::RequestEnd();
        EXPECT_TRUE(app::Application->Terminated());
        form.SetModalResult(controls::mrCancel);
    };
    EXPECT_EQ(Run("VELORADesktop.exe"), 0);
    EXPECT_EQ(host.events.back(), "modal formOptions");
    EXPECT_NE(SettingsFile().find("[formMain]\r\nleft="), std::string::npos) << SettingsFile();
    // The main window is gone, and so is its hook.
    EXPECT_FALSE(app::OnEndRequested());
    app::RequestEnd();
}

TEST_F(ProgramStart, SendSwitchShowsTheMainWindowAndOnlyTheFirstArgumentCounts) {
    ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), "[account]\r\nnr=1\r\n");
    Run("VELORADesktop.exe /Send");
    EXPECT_EQ(host.events.back(), "visible formMain");

    host.events.clear();
    Run("VELORADesktop.exe /other /send");
    EXPECT_EQ(host.events.back(), "message loop");
}

TEST_F(ProgramStart, AnEarlierCopyOfTheProgramEndsThisOne) {
    host.firstInstance = false;
    EXPECT_EQ(Run("VELORADesktop.exe /send"), 0);
    EXPECT_EQ(host.events.back(), "instance list");
}

// Later starts hand over while this one still creates its forms (the system
// delivers their messages whenever a form waits on the shell): each is
// answered, none reaches a form that does not exist yet, and the send page
// opens when the forms are complete.
TEST_F(ProgramStart, HandOversDuringStartUpOpenTheSendPageOnceTheFormsExist) {
    ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), "[account]\r\nnr=1\r\n");
    int handOvers = 0;
    host.onAttachForm = [&handOvers] {
        ++handOvers;
        app::ReceiveSecondInstance();
        app::ReceiveSecondInstance();
    };
    Run("VELORADesktop.exe");
    EXPECT_EQ(handOvers, 3);
    EXPECT_EQ(host.events.back(), "visible formMain");
    EXPECT_TRUE(host.errors.empty());

    // Once the run has ended, a hand-over waits for the next start-up again.
    host.onAttachForm = nullptr;
    app::ReceiveSecondInstance();
    host.events.clear();
    Run("VELORADesktop.exe");
    EXPECT_EQ(host.events.back(), "visible formMain");
}

// Each remembered hand-over is acted on, as one arriving later would be:
// offline, each says so (a started page would show it the same way).
TEST_F(ProgramStart, EveryHandOverDuringStartUpIsActedOnOnceTheFormsExist) {
    ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), "[account]\r\nnr=1\r\n");
    desktop.connected = false;
    host.onAttachForm = [] {
        for (int i = 0; i < 5; ++i) app::ReceiveSecondInstance();
    };
    Run("VELORADesktop.exe");
    EXPECT_EQ(desktop.messages.size(), 15u);
    for (const std::string& message : desktop.messages)
        EXPECT_EQ(message, std::string(app::AppTitle) + ": " + app::Vars().MsgNotOnline);
    EXPECT_TRUE(host.errors.empty());
    host.onAttachForm = nullptr;
}

TEST_F(ProgramStart, AStartWritesTheSettingsOnceAndThenNeverAgainUnchanged) {
    ScratchFolder::Write(scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"), "[account]\r\nnr=1\r\n");
    const std::string settings = scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)");
    Run("VELORADesktop.exe");
    EXPECT_EQ(files.WritesOf(settings), 1);
    files.written.clear();
    Run("VELORADesktop.exe");
    EXPECT_EQ(files.WritesOf(settings), 0) << ::testing::PrintToString(files.written);
    EXPECT_NE(SettingsFile().find("[version]\r\nexe=0.9.6.4\r\n"), std::string::npos);
}
