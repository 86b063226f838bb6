#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "account/CountryTable.h"
#include "settings/SettingsTestSupport.h"
#include "controls/Canvas.h"
#include "controls/ComboBox.h"
#include "forms/CountryList.h"

namespace velora::account {
namespace {

using settings::testing::ScratchFolder;
using forms::CountryNameLookup;
using forms::DrawCountryListItem;
using forms::FillCountryList;
using forms::SelectCountryByCode;
using forms::SelectedDiallingCode;

std::string CodeOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }
std::string ValueOf(const std::string& entry) { return entry.substr(entry.find('=') + 1); }

class RecordingCanvas : public controls::TCanvas {
public:
    explicit RecordingCanvas(controls::DpiScale scale = controls::DpiScale()) : TCanvas(scale) {}
    void FillRect(const controls::TRect& rect) override { calls.push_back("fill " + std::to_string(rect.Left)); }
    void DrawTextAt(int x, int y, const std::string& text) override {
        calls.push_back(std::to_string(x) + "," + std::to_string(y) + " [" + text + "]");
    }
    std::vector<std::string> calls;
};

class CountryTableTest : public ::testing::Test {
protected:
    CountryTableTest() : store(files, folders, regional) {
        folders.appData = scratch.File("AppData");
        regional.formats = settings::testing::GermanFormats();
        settings::testing::SetUpAsSettingsStore(store);
        list.SetSorted(true);
    }

    std::string SettingsFile() const { return folders.appData + "\\VELORA\\Desktop\\VELORADesktop.ini"; }
    std::string Selected() const { return list.ItemIndex() < 0 ? "(none)" : list.Items()[list.ItemIndex()]; }

    static CountryNameLookup Names(std::map<std::string, std::string> names) {
        return [names](const std::string& code) {
            const auto found = names.find(code);
            return found == names.end() ? std::string() : found->second;
        };
    }

    ScratchFolder scratch;
    platform::StdFileSystem files;
    settings::testing::FakeFolders folders;
    settings::testing::FixedFormats regional;
    settings::TAppIniFileStorage store;
    controls::TComboBox list{nullptr};
};

TEST(DefaultCountryTable, Holds241CountriesWithTheTenSharedCodes) {
    const std::vector<std::string> entries = DefaultCountryEntries();
    ASSERT_EQ(entries.size(), 241u);
    EXPECT_EQ(entries.front(), "AFG=93");
    EXPECT_EQ(entries.back(), "ZWE=263");

    std::set<std::string> codes;
    std::map<std::string, std::vector<std::string>> countriesByDiallingCode;
    for (const std::string& entry : entries) {
        EXPECT_EQ(CodeOf(entry).size(), 3u) << entry;
        codes.insert(CodeOf(entry));
        countriesByDiallingCode[ValueOf(entry)].push_back(CodeOf(entry));
    }
    EXPECT_EQ(codes.size(), 241u);

    std::map<std::string, std::vector<std::string>> shared;
    for (const auto& [diallingCode, countries] : countriesByDiallingCode)
        if (countries.size() > 1) shared[diallingCode] = countries;
    const std::map<std::string, std::vector<std::string>> expected{
        {"1", {"CAN", "USA"}},     {"39", {"ITA", "VAT"}},  {"47", {"BVT", "NOR"}},
        {"212", {"MAR", "ESH"}},   {"246", {"IOT", "DGA"}}, {"269", {"COM", "MYT"}},
        {"290", {"SHN", "TAA"}},   {"358", {"ALA", "FIN"}}, {"670", {"TMP", "TLS"}},
        {"61891", {"CXR", "CCK"}},
    };
    EXPECT_EQ(shared, expected);
}

TEST_F(CountryTableTest, SeedingReplacesTheSectionAndItsNamesakesAndPutsItLast) {
    ScratchFolder::Write(SettingsFile(),
                         "[countries]\r\nXYZ=999\r\nDEU=4711\r\n[countriesOld]\r\nA=1\r\n"
                         "[account]\r\ncountry=49\r\n");
    store.Reload();
    SeedCountryTable(store);
    store.Flush();

    const std::string file = ScratchFolder::Read(SettingsFile());
    EXPECT_EQ(file.find("XYZ"), std::string::npos);
    EXPECT_EQ(file.find("countriesOld"), std::string::npos);
    EXPECT_EQ(file.find("4711"), std::string::npos);
    EXPECT_EQ(file.rfind("\r\n["), file.find("[countries]") - 2) << "the table is the last section";
    EXPECT_NE(file.find("[account]\r\ncountry=49\r\n"), std::string::npos);

    store.Reload();
    const std::vector<std::string> lines = store.SectionLines("countries");
    ASSERT_EQ(lines.size(), 241u);
    EXPECT_EQ(lines, DefaultCountryEntries()) << "in the order of the built-in table";

    // The next start finds the table in place and leaves the file alone,
    // wherever the table stands in it.
    store.PutString("formMain\\left", "10");
    // A rewrite replaces the file: a new last-write time even with the same bytes.
    const auto writtenBefore = std::filesystem::last_write_time(ScratchFolder::Native(SettingsFile()));
    const std::string contentBefore = ScratchFolder::Read(SettingsFile());
    store.Reload();
    SeedCountryTable(store);
    store.Flush();
    EXPECT_EQ(std::filesystem::last_write_time(ScratchFolder::Native(SettingsFile())), writtenBefore);
    EXPECT_EQ(ScratchFolder::Read(SettingsFile()), contentBefore);
}

TEST_F(CountryTableTest, SelectionFallsBackTo49AndSharedCodesPickTheLaterCountry) {
    store.Reload();
    SeedCountryTable(store);
    SelectCountryByCode(list, "Deutschland");  // a stored name matches nothing
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(SelectedDiallingCode(list), "");

    FillCountryList(list, store, Names({}));
    ASSERT_EQ(list.Items().Count(), 241);
    EXPECT_EQ(list.Items()[0], "ABW=297") << "sorted by the three-letter code";
    EXPECT_EQ(Selected(), "DEU=49");
    EXPECT_EQ(SelectedDiallingCode(list), "49");

    SelectCountryByCode(list, "1");
    EXPECT_EQ(Selected(), "USA=1");
    SelectCountryByCode(list, "358");
    EXPECT_EQ(Selected(), "FIN=358");
    SelectCountryByCode(list, "35");  // exact matches only
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(CountryTableTest, EntriesShowNameAndAtMostFourDigitsButKeepTheWholeCode) {
    store.Reload();
    SeedCountryTable(store);
    FillCountryList(list, store, Names({{"DEU", "Deutschland"}, {"GGY", "Guernsey"}}));
    EXPECT_EQ(Selected(), "Deutschland +49=49");

    SelectCountryByCode(list, "441481");
    ASSERT_EQ(Selected(), "Guernsey +441481=441481");
    EXPECT_EQ(SelectedDiallingCode(list), "441481");
    RecordingCanvas canvas;
    DrawCountryListItem(list, canvas, list.ItemIndex(), controls::TRect{10, 26, 179, 39});
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"fill 10", "14,26 [Guernsey]", "fill 118", "120,26 [ +4414]"}));

    const TCountryColumns plain = CountryEntryColumns("AFG=93");
    EXPECT_EQ(plain.name, "");
    EXPECT_EQ(plain.code, "AFG");
    const TCountryColumns german = CountryEntryColumns("Deutschland +49=49");
    EXPECT_EQ(german.name, "Deutschland");
    EXPECT_EQ(german.code, " +49");

    canvas.calls.clear();
    DrawCountryListItem(list, canvas, -1, controls::TRect{0, 0, 169, 13});  // the empty edit part
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"fill 0"});

    // At 144 DPI the columns stand 1.5 times as far from the entry's edge.
    RecordingCanvas large(controls::DpiScale(144));
    DrawCountryListItem(list, large, list.ItemIndex(), controls::TRect{15, 39, 269, 59});
    EXPECT_EQ(large.calls, (std::vector<std::string>{"fill 15", "21,39 [Guernsey]", "fill 177", "180,39 [ +4414]"}));
}

TEST_F(CountryTableTest, SwitchingNamesRenamesInPlaceAndKeepsTheSelectedCode) {
    SeedCountryTable(store);
    FillCountryList(list, store, Names({{"AUT", "\xD6sterreich"}, {"DEU", "Deutschland"}}));
    std::vector<std::string> codesBefore;
    for (const std::string& entry : list.Items().Lines()) codesBefore.push_back(ValueOf(entry));
    SelectCountryByCode(list, "43");
    const int austria = list.ItemIndex();

    FillCountryList(list, store, Names({{"AUT", "Austria"}, {"DEU", "Germany"}}));
    std::vector<std::string> codesAfter;
    for (const std::string& entry : list.Items().Lines()) codesAfter.push_back(ValueOf(entry));
    EXPECT_EQ(codesAfter, codesBefore);
    EXPECT_EQ(list.ItemIndex(), austria);
    EXPECT_EQ(Selected(), "Austria +43=43");
    EXPECT_LT(list.ItemIndex(), list.Items().IndexOf("Germany +49=49")) << "AUT before DEU";
}

}  // namespace
}  // namespace velora::account
