// The hand-over of a downloaded installer on Windows with the real check,
// while a stranger's program tries to take the file's place: before the
// download is held, once it is held, once verified, once renamed to the
// installer's name, and while the installer runs. Only the signed installer
// may ever run, and what it reads of itself by its name is its own file.
//
// The stranger is a separate program (an unsigned build of the stand-in,
// tests/signing/InstallerStandIn.cpp) that renames a copy of itself over the
// file, renames the file aside, writes into it, and deletes it. The test
// leaves out one thing a stranger could do under Wine only: renaming the
// whole folder, which Wine allows while a file in it is open and Windows
// refuses.

#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BuildConfig.h"
#include "app/VerifiedInstaller.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32InstallerVerifier.h"
#include "win32/WideText.h"
#include "win32/raii/KernelHandles.h"
#include "settings/SettingsTestSupport.h"

namespace velora::win32 {
namespace {

using settings::testing::ScratchFolder;

// Long enough for any start under Wine; only a bound for a test gone wrong.
constexpr DWORD kPatienceMs = 60000;

enum class Moment { BeforeHold, AfterHold, AfterVerify, AfterMove, AfterStart };

const char* NameOf(Moment moment) {
    switch (moment) {
        case Moment::BeforeHold: return "before the hold";
        case Moment::AfterHold: return "once held";
        case Moment::AfterVerify: return "once verified";
        case Moment::AfterMove: return "once renamed";
        case Moment::AfterStart: return "while the installer runs";
    }
    return "?";
}

std::wstring FullPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    std::wstring full(32768, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

// Runs the stranger's program against `target`: the ways of taking its
// place the system allowed, by name; "could not try" when it could not run.
std::vector<std::string> TakePlace(const std::string& target) {
    const std::wstring program = FullPath(VELORA_STRANGER_STAND_IN);
    std::wstring commandLine = L"\"" + program + L"\" take-place \"" + Widen(target) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created))
        return {"could not try"};
    const KernelHandle process(created.hProcess);
    const KernelHandle thread(created.hThread);
    DWORD code = 64;
    if (WaitForSingleObject(process.Get(), kPatienceMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &code) ||
        code >= 64) {
        TerminateProcess(process.Get(), 64);
        return {"could not try"};
    }
    std::vector<std::string> allowed;
    if (code & 1) allowed.push_back("a rename over it");
    if (code & 2) allowed.push_back("a rename of it aside");
    if (code & 4) allowed.push_back("a write into it");
    if (code & 8) allowed.push_back("its deletion");
    return allowed;
}

// The real check, with the stranger let loose on the download or the
// installer at one moment of the hand-over.
class StrangerAt final : public platform::InstallerVerifier {
public:
    StrangerAt(platform::InstallerVerifier& real, Moment moment, std::string download, std::string installer)
        : real_(real), moment_(moment), download_(std::move(download)), installer_(std::move(installer)) {}

    std::unique_ptr<platform::HeldInstaller> Hold(const std::string& path) override {
        LetLoose(Moment::BeforeHold, download_);
        auto held = real_.Hold(path);
        if (!held) return nullptr;
        LetLoose(Moment::AfterHold, download_);
        return std::make_unique<Watched>(*this, std::move(held));
    }

    bool triedIt = false;
    std::vector<std::string> allowed;  // what the system let the stranger do
    int starts = 0;

private:
    class Watched final : public platform::HeldInstaller {
    public:
        Watched(StrangerAt& owner, std::unique_ptr<platform::HeldInstaller> held)
            : owner_(owner), held_(std::move(held)) {}
        platform::InstallerTrust Verify() override {
            const platform::InstallerTrust trust = held_->Verify();
            owner_.LetLoose(Moment::AfterVerify, owner_.download_);
            return trust;
        }
        bool MoveTo(const std::string& path) override {
            const bool moved = held_->MoveTo(path);
            owner_.LetLoose(Moment::AfterMove, owner_.installer_);
            return moved;
        }
        bool Discard() override { return held_->Discard(); }
        bool Start() override {
            ++owner_.starts;
            const bool started = held_->Start();
            owner_.LetLoose(Moment::AfterStart, owner_.installer_);
            return started;
        }

    private:
        StrangerAt& owner_;
        std::unique_ptr<platform::HeldInstaller> held_;
    };

    void LetLoose(Moment now, const std::string& target) {
        if (now != moment_) return;
        triedIt = true;
        allowed = TakePlace(target);
    }

    platform::InstallerVerifier& real_;
    Moment moment_;
    std::string download_;
    std::string installer_;
};

// What the program started by the hand-over reported of itself.
struct StartedRun {
    std::string kind;      // "installer" or "stranger"
    std::string path;      // where it ran from
    std::string selfRead;  // what it read of its own file by name
};

std::string Lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// One hand-over in a folder of its own, the stranger let loose at `moment`.
// An earlier file stands under the installer's name: the stranger's
// program, put there beforehand.
struct Scenario {
    explicit Scenario(Moment moment) : moment(moment) {
        ScratchFolder::Write(download, ScratchFolder::Read(VELORA_SIGNED_STAND_IN));
        ScratchFolder::Write(installer, ScratchFolder::Read(VELORA_STRANGER_STAND_IN));
        static std::atomic<int> count{0};
        events = L"VeloraStandIn-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
        started.Reset(CreateEventW(nullptr, TRUE, FALSE, (events + L"-started").c_str()));
        go.Reset(CreateEventW(nullptr, TRUE, FALSE, (events + L"-go").c_str()));
        done.Reset(CreateEventW(nullptr, TRUE, FALSE, (events + L"-done").c_str()));
        SetEnvironmentVariableW(L"VELORA_STAND_IN_EVENTS", events.c_str());
    }
    ~Scenario() { SetEnvironmentVariableW(L"VELORA_STAND_IN_EVENTS", nullptr); }

    app::InstallerStart HandOver() {
        StrangerAt verifier(real, moment, download, installer);
        const app::InstallerStart outcome = app::StartVerifiedInstaller(files, &verifier, download, installer);
        triedIt = verifier.triedIt;
        allowed = verifier.allowed;
        starts = verifier.starts;
        return outcome;
    }

    // Waits for the program the hand-over started, lets it read itself,
    // and waits for it to end; none when none reported.
    std::optional<StartedRun> StartedProgram() {
        if (WaitForSingleObject(started.Get(), kPatienceMs) != WAIT_OBJECT_0) return std::nullopt;
        StartedRun run;
        for (const char* kind : {"installer", "stranger"}) {
            const std::string marker = scratch.File(std::string("ran-") + kind + ".txt");
            if (!files.FileExists(marker)) continue;
            run.kind = kind;
            const std::string content = ScratchFolder::Read(marker);
            const std::size_t lineEnd = content.find('\n');
            run.path = content.substr(lineEnd + 1, content.find('\n', lineEnd + 1) - lineEnd - 1);
            const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, std::stoul(content.substr(0, lineEnd))));
            SetEvent(go.Get());
            WaitForSingleObject(done.Get(), kPatienceMs);
            if (process) WaitForSingleObject(process.Get(), kPatienceMs);
            run.selfRead = ScratchFolder::Read(scratch.File("self-read-" + run.kind + ".bin"));
            break;
        }
        return run;
    }

    Moment moment;
    ScratchFolder scratch;
    win32::Win32FileSystem files;
    Win32InstallerVerifier real{app::build::PublisherKeySha256};
    const std::string download = scratch.File("update.exe.download");
    const std::string installer = scratch.File("update.exe");
    std::wstring events;
    KernelHandle started, go, done;
    bool triedIt = false;
    std::vector<std::string> allowed;
    int starts = 0;
};

TEST(InstallerHandOver, AStrangerCannotTakeTheHeldInstallersPlaceAtAnyStep) {
    const std::string signedInstaller = ScratchFolder::Read(VELORA_SIGNED_STAND_IN);
    for (const Moment moment : {Moment::AfterHold, Moment::AfterVerify, Moment::AfterMove, Moment::AfterStart}) {
        SCOPED_TRACE(NameOf(moment));
        Scenario scenario(moment);
        const app::InstallerStart outcome = scenario.HandOver();
        EXPECT_TRUE(scenario.triedIt);
        EXPECT_EQ(scenario.allowed, std::vector<std::string>{});
        EXPECT_EQ(outcome, app::InstallerStart::Started);
        if (outcome != app::InstallerStart::Started) continue;

        const std::optional<StartedRun> run = scenario.StartedProgram();
        ASSERT_TRUE(run) << "no program reported its start";
        EXPECT_EQ(run->kind, "installer");
        EXPECT_EQ(Lowered(run->path), Lowered(scenario.installer));
        EXPECT_TRUE(run->selfRead == signedInstaller) << "the installer read another file under its name";
        EXPECT_FALSE(scenario.files.FileExists(scenario.download));
    }
}

TEST(InstallerHandOver, AStrangerInTheDownloadsPlaceBeforeTheHoldIsDeletedAndNothingRuns) {
    Scenario scenario(Moment::BeforeHold);
    EXPECT_EQ(scenario.HandOver(), app::InstallerStart::NotVerified);
    // Nothing held the download yet: the stranger took its place.
    EXPECT_TRUE(scenario.triedIt);
    EXPECT_FALSE(scenario.allowed.empty());
    EXPECT_EQ(scenario.starts, 0);
    EXPECT_FALSE(scenario.files.FileExists(scenario.download));
    // The file under the installer's name is neither replaced nor started.
    EXPECT_TRUE(ScratchFolder::Read(scenario.installer) == ScratchFolder::Read(VELORA_STRANGER_STAND_IN));
}

}  // namespace
}  // namespace velora::win32

#endif
