// The cost of reading one string from the settings file through the store as
// the program sets it up, against reading the file itself: once for a file
// that changed since the last access (the store must read it), once for a
// file that has not changed and whose last write has settled.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "account/CountryTable.h"
#include "settings/SettingsTestSupport.h"

namespace {

using namespace velora;
using settings::testing::FakeFolders;
using settings::testing::FixedFormats;
using settings::testing::ScratchFolder;

// A file system that cannot tell one version of a file from another: the
// store then takes the file as changed at every access and reads it.
class UnknownStampFileSystem : public platform::StdFileSystem {
public:
    std::optional<platform::FileStamp> Stamp(const std::string&) const override { return std::nullopt; }
};

// The settings file of a user who has entered the account data, closed the
// main window once and let the program check for updates, with the whole
// country table.
std::string SettingsFileText() {
    std::string text = "[version]\r\nexe=0.9.6.4\r\n\r\n[countries]\r\n";
    for (const std::string& entry : account::DefaultCountryEntries()) text += entry + "\r\n";
    text +=
        "\r\n[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=geheim\r\nmobile=491721234567\r\n"
        "\r\n[formMain]\r\nleft=302\r\ntop=119\r\n"
        "\r\n[language]\r\nlang=de\r\n"
        "\r\n[extended]\r\ncheckOnline=true\r\n"
        "\r\n[intern]\r\nfirststart=false\r\n"
        "\r\n[check]\r\nLastCheck=08.12.2026 13:23:08\r\n\r\n";
    return text;
}

int LineCount(const std::string& text) {
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

// One settings file in a scratch folder standing for the application-data folder.
struct SettingsFolder {
    SettingsFolder() {
        folders.appData = scratch.File("AppData");
        regional.formats = settings::testing::GermanFormats();
        ScratchFolder::Write(FullName(), text);
        // An hour old: its time tells any later write apart.
        settings::testing::SetLastWriteBack(FullName(), std::chrono::hours(1));
    }
    std::string FullName() const { return folders.appData + "\\VELORA\\Desktop\\VELORADesktop.ini"; }

    const std::string text = SettingsFileText();
    ScratchFolder scratch;
    FakeFolders folders;
    FixedFormats regional;
};

SettingsFolder& Folder() {
    static SettingsFolder folder;
    return folder;
}

void ReadOneString(benchmark::State& state, platform::FileSystem& files) {
    SettingsFolder& folder = Folder();
    settings::TAppIniFileStorage store(files, folder.folders, folder.regional);
    store.SetFlushOnDestroy(false);
    settings::testing::SetUpAsSettingsStore(store);
    if (store.GetString("account\\mobile", "") != "491721234567") {
        state.SkipWithError("the store did not read the settings file");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(store.GetString("account\\mobile", ""));
    state.counters["lines"] = LineCount(folder.text);
}

void BM_SettingsReadChangedFile(benchmark::State& state) {
    UnknownStampFileSystem files;
    ReadOneString(state, files);
}

void BM_SettingsReadUnchangedFile(benchmark::State& state) {
    platform::StdFileSystem files;
    ReadOneString(state, files);
}

// The baseline: the whole file read into memory.
void BM_ReadSettingsFile(benchmark::State& state) {
    SettingsFolder& folder = Folder();
    platform::StdFileSystem files;
    for (auto _ : state) benchmark::DoNotOptimize(files.ReadFile(folder.FullName()));
    state.counters["lines"] = LineCount(folder.text);
}

BENCHMARK(BM_SettingsReadChangedFile);
BENCHMARK(BM_SettingsReadUnchangedFile);
BENCHMARK(BM_ReadSettingsFile);

}  // namespace

BENCHMARK_MAIN();
