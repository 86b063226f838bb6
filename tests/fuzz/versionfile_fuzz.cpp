// Build with -DVELORA_FUZZ=ON and clang (see CMakeLists.txt beside this file).
// Feeds arbitrary bytes as "version.ini", the file the update check downloads
// from the service, to the store the update dialog reads it through, set up
// as the dialog sets it up. Any file must give the stable version and both
// histories as the file holds them (a history without a count leaves the
// dialog's lines alone; a count that is no number raises EConvertError, which
// the program shows), a version that compares consistently with the installed
// one, and the file as it was when the store goes: reading changes nothing,
// so nothing is written back.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BuildConfig.h"
#include "app/VersionCompare.h"
#include "settings/IniDocument.h"
#include "settings/SettingsTestSupport.h"

namespace {

using namespace velora::settings;
using velora::app::CompareVersions;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

void CheckVersionComparison(const std::string& stable) {
    const std::string installed = velora::app::build::ProjectVersion;
    Check(CompareVersions(stable, installed) == -CompareVersions(installed, stable));
    Check(CompareVersions(stable, stable) == 0);
    // A version equals any longer one it begins ("1.2" and "1.2.0.5").
    Check(CompareVersions(stable, stable + ".7") == 0);
}

// The dialog's history memo holds its lines from the form until a list is read.
void CheckHistory(TAppIniFileStorage& store, const TIniDocument& file, const char* section) {
    const std::optional<std::string> countText = file.ReadValue(section, "Count");
    // The store reads up to 100 000 items, half a second in this build; so
    // that the fuzzer stays fast, only counts below 1000 are read here.
    if (countText && countText->size() > 3) return;
    std::vector<std::string> lines{"from the form"};
    int count = 0;
    try {
        count = store.GetStringList(section, lines, true, "Item");
    } catch (const EConvertError&) {
        Check(countText && !countText->empty());
        return;
    }
    if (!countText) {
        Check(count == 1 && lines == std::vector<std::string>{"from the form"});
        return;
    }
    Check(lines.size() == static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < lines.size(); ++i)
        Check(lines[i] == file.ReadValue(section, "Item" + std::to_string(i)).value_or(""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::ScratchFolder folder;
    static const std::string fileName = folder.File("version.ini");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    testing::ScratchFolder::Write(fileName, bytes);
    TIniDocument file;
    file.Parse(bytes);

    velora::platform::StdFileSystem files;
    testing::FakeFolders folders;
    testing::FixedFormats regional;
    {
        TAppIniFileStorage store(files, folders, regional);
        testing::SetUpAsPlainStore(store, fileName);
        const std::string stable = store.GetString("version\\stable", "");
        Check(stable == file.ReadValue("version", "stable").value_or(""));
        CheckVersionComparison(stable);
        CheckHistory(store, file, "history_de");
        CheckHistory(store, file, "history_en");
    }
    // A store that only read leaves the file alone when it goes.
    Check(testing::ScratchFolder::Read(fileName) == bytes);
    return 0;
}
