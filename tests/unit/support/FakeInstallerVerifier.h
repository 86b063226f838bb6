#pragma once
// An installer check whose verdict the test chooses. It holds nothing open:
// it notes each step asked of it (with the bytes the file held when it was
// verified), and renames and deletes the file by its name. A start is only
// noted.

#include <memory>
#include <string>
#include <vector>

#include "platform/InstallerVerifier.h"
#include "platform/std/StdFileSystem.h"

namespace velora::fakes {

class FakeInstallerVerifier : public platform::InstallerVerifier {
public:
    struct Check {
        std::string path;
        std::string content;
    };

    std::unique_ptr<platform::HeldInstaller> Hold(const std::string& path) override {
        steps.push_back("hold " + path);
        if (!holds || !platform::StdFileSystem().FileExists(path)) return nullptr;
        return std::make_unique<Held>(*this, path);
    }

    platform::InstallerTrust verdict = platform::InstallerTrust::Trusted;
    bool holds = true;  // false: as if another program had every file open for writing
    bool startSucceeds = true;

    std::vector<Check> checks;
    // "hold PATH", "verify", "move PATH", "discard", "start PATH" and
    // "let go" when the held file is given up.
    std::vector<std::string> steps;
    std::vector<std::string> started;  // each file a start was asked for, whether or not it succeeded

private:
    class Held : public platform::HeldInstaller {
    public:
        Held(FakeInstallerVerifier& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
        ~Held() override { owner_.steps.push_back("let go"); }

        platform::InstallerTrust Verify() override {
            owner_.steps.push_back("verify");
            owner_.checks.push_back({path_, platform::StdFileSystem().ReadFile(path_).value_or("<missing>")});
            return owner_.verdict;
        }
        bool MoveTo(const std::string& path) override {
            owner_.steps.push_back("move " + path);
            try {
                platform::StdFileSystem().RenameFile(path_, path);
            } catch (const platform::FileSystemError&) {
                return false;
            }
            path_ = path;
            return true;
        }
        bool Discard() override {
            owner_.steps.push_back("discard");
            try {
                platform::StdFileSystem().RemoveFile(path_);
            } catch (const platform::FileSystemError&) {
                return false;
            }
            return true;
        }
        bool Start() override {
            owner_.steps.push_back("start " + path_);
            owner_.started.push_back(path_);
            return owner_.startSucceeds;
        }

    private:
        FakeInstallerVerifier& owner_;
        std::string path_;
    };
};

}  // namespace velora::fakes
