#pragma once
// An installer check whose verdict the test chooses; it notes each file it
// was asked about with the bytes that file held at that moment.

#include <string>
#include <vector>

#include "platform/InstallerVerifier.h"
#include "platform/std/StdFileSystem.h"

namespace velora::fakes {

class FakeInstallerVerifier : public platform::InstallerVerifier {
public:
    struct Check {
        std::string path;
        std::string content;  // "<missing>" when the file was not there
    };

    platform::InstallerTrust Verify(const std::string& path) override {
        checks.push_back({path, platform::StdFileSystem().ReadFile(path).value_or("<missing>")});
        return verdict;
    }

    platform::InstallerTrust verdict = platform::InstallerTrust::Trusted;
    std::vector<Check> checks;
};

}  // namespace velora::fakes
