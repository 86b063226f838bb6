#include <gtest/gtest.h>

#include <exception>

#include "net/HttpUrlGrabberThread.h"
#include "app/ServiceEndpoints.h"
#include "support/ProgramFixture.h"

using namespace velora;
using velora::forms::formMain;
using velora::forms::formUpdate;

namespace {

constexpr double kDay = 1.0;
constexpr double kSecond = 1.0 / 86400.0;

const char* kCheckFailedDe = "Die Pr\xFC" "fung auf Updates ist fehlgeschlagen. Bitte versuchen Sie es sp\xE4ter erneut.";

const char* kPublished = "[version]\r\nstable=0.9.6.10\r\n[history_de]\r\nCount=2\r\nItem0=Neu\r\nItem1=Besser\r\n"
                         "[history_en]\r\nCount=1\r\nItem0=New\r\n";

class UpdateDialog : public fakes::ProgramFixture {
protected:
    // The version file the service publishes, in blocks of the size read.
    void Publish(const std::string& versionFile) {
        net::testing::Script script;
        script.contentLength = std::to_string(versionFile.size());
        const std::size_t blockSize = net::THttpUrlGrabberThread::kReadBlockSize;
        for (std::size_t at = 0; at < versionFile.size(); at += blockSize)
            script.blocks.push_back(versionFile.substr(at, blockSize));
        http->scripts = {script};
    }
    void StartAt(double now) {
        Start();
        clock = now;
        formUpdate->Now = [this] { return clock; };
    }
    // Lets the next transfer run to its end (its three handles closed and
    // the grabber idle again) on this thread's "message loop".
    void FinishTransfer() {
        closesExpected += 3;
        EXPECT_TRUE(dispatcher->PumpUntil(
            [&] { return http->CountOf("Close ") >= closesExpected && formUpdate->grabUrl->State() == net::stIdle; }));
    }
    int Transfers() const { return http->CountOf("OpenInternet"); }
    // A manual check that finds the published version newer: the dialog
    // shows, the Update button enabled.
    void OfferTheUpdate() {
        Publish(kPublished);
        StartAt(46000.5);
        formMain->menuitemUpdate->Click();
        FinishTransfer();
    }

    double clock = 0;
    int closesExpected = 0;
};

}  // namespace

TEST_F(UpdateDialog, ChecksRunAfterMoreThanFourDaysAndOnRequest) {
    StartAt(46000.5);
    // No stored time: the default is now, so page requests never check.
    formUpdate->CheckForUpdate(false);
    EXPECT_EQ(Transfers(), 0);
    EXPECT_FALSE(Store().HasValue("check\\LastCheck"));

    Store().PutDateTime("check\\LastCheck", clock - 4 * kDay);
    formUpdate->CheckForUpdate(false);
    EXPECT_EQ(Transfers(), 0);
    Store().PutDateTime("check\\LastCheck", clock - 4 * kDay - kSecond);
    formUpdate->CheckForUpdate(false);
    FinishTransfer();
    EXPECT_EQ(Transfers(), 1);
    // The start is stored before the transfer, so it counts even if it fails.
    EXPECT_DOUBLE_EQ(Store().GetDateTime("check\\LastCheck", 0), clock);
    EXPECT_TRUE(http->Logged("OpenInternet agent=VELORA Desktop type=0 proxy=- bypass=-") ||
                http->CountOf("OpenInternet agent=VELORA Desktop") == 1);
}

TEST_F(UpdateDialog, NewerVersionIsOfferedAndTheHistoryShownInTheCurrentLanguage) {
    Publish(kPublished);
    StartAt(46000.5);
    EXPECT_EQ(formUpdate->labelVersionInstalled->Caption(), "0.9.6");
    EXPECT_FALSE(formUpdate->buttonUpdate->Enabled());

    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_TRUE(formUpdate->buttonUpdate->Enabled());
    EXPECT_EQ(formUpdate->labelVersionActual->Caption(), "0.9.6.10");
    ASSERT_EQ(formUpdate->memoHistory->Lines().Count(), 2);
    EXPECT_EQ(formUpdate->memoHistory->Lines().Strings(1), "Besser");
    EXPECT_FALSE(formUpdate->progress->Visible());
    // The file lands in the program's data folder.
    EXPECT_NE(settings::testing::ScratchFolder::Read(scratch.File(R"(VELORA\Desktop\version.ini)")).find("stable="),
              std::string::npos);
}

TEST_F(UpdateDialog, NoNewerVersionStaysSilentUnlessTheUserAsked) {
    Publish("[version]\r\nstable=0.9.6\r\n");
    StartAt(46000.5);
    Store().PutInteger("check\\LastCheck", 0);
    formUpdate->CheckForUpdate(false);
    FinishTransfer();
    EXPECT_FALSE(formUpdate->Visible());

    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_FALSE(formUpdate->updateAvailable);
    EXPECT_FALSE(formUpdate->buttonUpdate->Enabled());
    // The status line never shows a raw placeholder.
    EXPECT_EQ(formUpdate->labelUpdate->Caption().find("%s"), std::string::npos);
    EXPECT_NE(formUpdate->labelUpdate->Caption().find("0.9.6.4"), std::string::npos);
}

// A refused connection, an unknown host or no network: the last good version
// file stays, an automatic check says nothing and a manual one that it failed.
TEST_F(UpdateDialog, AnUnreachableServiceKeepsTheVersionFileAndOnlyAManualCheckSaysItFailed) {
    OfferTheUpdate();
    const std::string versionFile = scratch.File(R"(VELORA\Desktop\version.ini)");
    const std::string lastGood = settings::testing::ScratchFolder::Read(versionFile);
    formUpdate->Hide();
    net::testing::Script unreachable;
    unreachable.sendFails = true;
    unreachable.errorText = "A connection with the server could not be established";
    http->scripts = {unreachable};

    Store().PutInteger("check\\LastCheck", 0);
    formUpdate->CheckForUpdate(false);
    FinishTransfer();
    EXPECT_FALSE(formUpdate->Visible());
    EXPECT_EQ(settings::testing::ScratchFolder::Read(versionFile), lastGood);

    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_EQ(formUpdate->labelUpdate->Caption(), kCheckFailedDe);
    EXPECT_EQ(settings::testing::ScratchFolder::Read(versionFile), lastGood);
    EXPECT_EQ(formUpdate->labelVersionActual->Caption(), "0.9.6.10");
    // The status line keeps saying so when the texts are refreshed, until a
    // check succeeds.
    formUpdate->UpdateTexts();
    EXPECT_EQ(formUpdate->labelUpdate->Caption(), kCheckFailedDe);
    Publish(kPublished);
    formUpdate->Hide();
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_NE(formUpdate->labelUpdate->Caption(), kCheckFailedDe);
    EXPECT_EQ(formUpdate->labelUpdate->Caption().rfind("Eine neue Version ist verf\xFCgbar.", 0), 0u);
}

// While a check stalls, every further check is refused by the engine, and the
// error display shows that in a box for as long as it holds the error: one
// such box at a time, however often the user asks again meanwhile.
TEST_F(UpdateDialog, ChecksRefusedWhileACheckRunsShowOneBoxAtATime) {
    Publish(kPublished);
    auto stall = std::make_shared<net::testing::Gate>();
    http->scripts[0].firstReadGate = stall;
    StartAt(46000.5);
    formMain->menuitemUpdate->Click();
    ASSERT_TRUE(dispatcher->PumpUntil([&] { return formUpdate->grabUrl->State() == net::stReceiving; }));
    ASSERT_TRUE(stall->AwaitWaiter());

    std::exception_ptr shownBox;
    try {
        formMain->menuitemUpdate->Click();
    } catch (const net::EGrabberNotStopped&) {
        shownBox = std::current_exception();
    }
    ASSERT_TRUE(shownBox) << "a check during a running one was not refused";
    EXPECT_NO_THROW(formMain->menuitemUpdate->Click());
    EXPECT_NO_THROW(formMain->menuitemUpdate->Click());
    // Closed, the box may show again for the next refusal.
    shownBox = nullptr;
    EXPECT_THROW(formMain->menuitemUpdate->Click(), net::EGrabberNotStopped);
    // Every refused check still counts as a check.
    EXPECT_DOUBLE_EQ(Store().GetDateTime("check\\LastCheck", 0), clock);

    stall->Open();
    FinishTransfer();
    // The stalled check was stopped: it ends without an outcome, and the next one runs.
    EXPECT_FALSE(formUpdate->Visible());
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_TRUE(formUpdate->updateAvailable);
}

TEST_F(UpdateDialog, InstallerDownloadShowsProgressStartsTheInstallerAndEnds) {
    OfferTheUpdate();

    net::testing::Script installer;
    installer.contentLength = "6";
    installer.blocks = {"MZ", std::string("\x90\x00\x03\x00", 4)};
    http->scripts.push_back(installer);
    formUpdate->buttonUpdate->Click();
    EXPECT_TRUE(formUpdate->progress->Visible());
    FinishTransfer();
    EXPECT_EQ(formUpdate->progress->Max(), 6);
    EXPECT_EQ(formUpdate->progress->Position(), 6);
    // Verified complete under its download name, started under its own.
    ASSERT_EQ(installerVerifier.checks.size(), 1u);
    EXPECT_EQ(installerVerifier.checks[0].path, scratch.File(R"(VELORA\Desktop\update.exe.download)"));
    EXPECT_EQ(installerVerifier.checks[0].content, std::string("MZ\x90\x00\x03\x00", 6));
    EXPECT_EQ(settings::testing::ScratchFolder::Read(scratch.File(R"(VELORA\Desktop\update.exe)")),
              std::string("MZ\x90\x00\x03\x00", 6));
    EXPECT_FALSE(files.FileExists(scratch.File(R"(VELORA\Desktop\update.exe.download)")));
    ASSERT_EQ(installerVerifier.started.size(), 1u);
    EXPECT_EQ(installerVerifier.started[0], scratch.Folder() + R"(\VELORA\Desktop\update.exe)");
    EXPECT_TRUE(application->Terminated());
}

TEST_F(UpdateDialog, AnInstallerThatFailsVerificationIsDeletedAndNothingStarts) {
    OfferTheUpdate();
    net::testing::Script installer;
    installer.blocks = {"MZ not signed"};
    http->scripts.push_back(installer);

    for (const auto verdict : {platform::InstallerTrust::Unsigned, platform::InstallerTrust::Invalid,
                               platform::InstallerTrust::OtherPublisher}) {
        installerVerifier.verdict = verdict;
        formUpdate->buttonUpdate->Click();
        FinishTransfer();
        ASSERT_FALSE(installerVerifier.checks.empty());
        EXPECT_EQ(installerVerifier.checks.back().content, "MZ not signed");
        EXPECT_FALSE(files.FileExists(scratch.File(R"(VELORA\Desktop\update.exe.download)")));
        EXPECT_FALSE(files.FileExists(scratch.File(R"(VELORA\Desktop\update.exe)")));
        EXPECT_TRUE(installerVerifier.started.empty());
        EXPECT_FALSE(application->Terminated());
        EXPECT_TRUE(formUpdate->Visible());
        EXPECT_FALSE(formUpdate->progress->Visible());
        EXPECT_EQ(formUpdate->labelUpdate->Caption(),
                  "Der Download konnte nicht verifiziert werden und wurde nicht gestartet.");
    }
    EXPECT_EQ(installerVerifier.checks.size(), 3u);

    // Refused once, the next download is checked afresh.
    installerVerifier.verdict = platform::InstallerTrust::Trusted;
    formUpdate->buttonUpdate->Click();
    FinishTransfer();
    ASSERT_EQ(installerVerifier.started.size(), 1u);
    EXPECT_TRUE(application->Terminated());
}

TEST_F(UpdateDialog, AnErrorPageIsNeverSavedStartedOrReadAsTheVersionFile) {
    WriteSettings("[language]\r\nlang=en\r\n");
    OfferTheUpdate();
    const std::string versionFile = scratch.File(R"(VELORA\Desktop\version.ini)");
    const std::string lastGood = settings::testing::ScratchFolder::Read(versionFile);

    // The body of each error page would pass for the file asked for.
    net::testing::Script errorPage;
    errorPage.status = 500;
    errorPage.blocks = {"[version]\r\nstable=99.0\r\n"};
    http->scripts = {errorPage};
    formUpdate->buttonUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(installerVerifier.checks.empty());
    EXPECT_FALSE(files.FileExists(scratch.File(R"(VELORA\Desktop\update.exe.download)")));
    EXPECT_TRUE(installerVerifier.started.empty());
    EXPECT_FALSE(application->Terminated());
    EXPECT_EQ(formUpdate->labelUpdate->Caption(), "The download could not be verified and was not started.");

    errorPage.status = 404;
    http->scripts = {errorPage};
    formUpdate->Hide();
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_EQ(settings::testing::ScratchFolder::Read(versionFile), lastGood);
    EXPECT_EQ(formUpdate->labelVersionActual->Caption(), "0.9.6.10");
    // The user asked: the dialog says that the check failed.
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_EQ(formUpdate->labelUpdate->Caption(), "The check for updates failed. Please try again later.");
}

TEST_F(UpdateDialog, AnInstallerThatCannotStartLeavesTheProgramRunning) {
    OfferTheUpdate();
    installerVerifier.startSucceeds = false;
    formUpdate->buttonUpdate->Click();
    FinishTransfer();
    EXPECT_EQ(installerVerifier.started.size(), 1u);
    EXPECT_FALSE(application->Terminated());
    EXPECT_TRUE(formUpdate->Visible());
}

TEST_F(UpdateDialog, WhereNoInstallerRunsTheDownloadPageTakesTheUpdateButtonsPlace) {
    desktop.runsInstallers = false;
    Publish(kPublished);
    StartAt(46000.5);
    EXPECT_FALSE(formUpdate->buttonUpdate->Visible());
    EXPECT_FALSE(formUpdate->linkDownload->Visible());

    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->Visible());
    EXPECT_FALSE(formUpdate->buttonUpdate->Visible());
    EXPECT_TRUE(formUpdate->linkDownload->Visible());
    EXPECT_EQ(formUpdate->labelVersionActual->Caption(), "0.9.6.10");
    EXPECT_EQ(formUpdate->memoHistory->Lines().Count(), 2);
    // The status text names no button that is not there.
    EXPECT_EQ(formUpdate->labelUpdate->Caption(), "Eine neue Version ist verf\xFCgbar.");

    formUpdate->linkDownload->LinkClick(0, "Download", "");
    EXPECT_EQ(desktop.opened,
              (std::vector<std::string>{"open " + std::string(app::ServiceBaseUrl) + "/download?sApp=DW&lang=de"}));
    EXPECT_TRUE(installerVerifier.started.empty());
    EXPECT_FALSE(application->Terminated());
}

TEST_F(UpdateDialog, EnglishShowsTheEnglishHistoryAndASectionWithoutCountKeepsTheLines) {
    WriteSettings("[language]\r\nlang=en\r\n");
    Publish(kPublished);
    StartAt(46000.5);
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    ASSERT_EQ(formUpdate->memoHistory->Lines().Count(), 1);
    EXPECT_EQ(formUpdate->memoHistory->Lines().Strings(0), "New");

    Publish("[version]\r\nstable=0.9.6.11\r\n");
    formUpdate->Hide();
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_EQ(formUpdate->labelVersionActual->Caption(), "0.9.6.11");
    ASSERT_EQ(formUpdate->memoHistory->Lines().Count(), 1);
    EXPECT_EQ(formUpdate->memoHistory->Lines().Strings(0), "New");
}

TEST_F(UpdateDialog, ALongHistoryReachesTheMemoInOneUpdateAndIsCapped) {
    // A count far beyond the items there are, and more items than are shown.
    std::string published = "[version]\r\nstable=0.9.6.10\r\n[history_de]\r\nCount=2147483647\r\n";
    for (int i = 0; i < 1500; ++i) published += "Item" + std::to_string(i) + "=Zeile " + std::to_string(i) + "\r\n";
    Publish(published);
    StartAt(46000.5);
    peer.changes.clear();

    formMain->menuitemUpdate->Click();
    FinishTransfer();
    ASSERT_TRUE(formUpdate->Visible());
    const component::TStrings& lines = formUpdate->memoHistory->Lines();
    ASSERT_EQ(lines.Count(), 1000);
    EXPECT_EQ(lines.Strings(0), "Zeile 0");
    EXPECT_EQ(lines.Strings(999), "Zeile 999");
    // Every change of the lines rewrites the whole control on screen.
    EXPECT_EQ(peer.CountOf(*formUpdate->memoHistory, "Lines"), 1);

    // A count below the items shows that many; a negative one none.
    Publish("[version]\r\nstable=0.9.6.10\r\n[history_de]\r\nCount=1\r\nItem0=Eins\r\nItem1=Zwei\r\n");
    formUpdate->Hide();
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Strings(0), "Eins");
    Publish("[version]\r\nstable=0.9.6.10\r\n[history_de]\r\nCount=-5\r\nItem0=Eins\r\n");
    formUpdate->Hide();
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(UpdateDialog, WithoutAVersionResourceAnyPublishedVersionIsNewer) {
    version.version.reset();
    Publish("[version]\r\nstable=1.0\r\n");
    StartAt(46000.5);
    EXPECT_EQ(formUpdate->labelVersionInstalled->Caption(), "0.1");
    formMain->menuitemUpdate->Click();
    FinishTransfer();
    EXPECT_TRUE(formUpdate->updateAvailable);
    EXPECT_TRUE(formUpdate->Visible());
}
