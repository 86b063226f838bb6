#include <gtest/gtest.h>

#include "settings/FileLocation.h"
#include "settings/StorageErrors.h"
#include "settings/StoragePath.h"
#include "SettingsTestSupport.h"

namespace velora::settings {
namespace {

void ExpectSplit(std::string_view path, std::string_view defaultSection, const std::string& section,
                 const std::string& key) {
    const ValuePath split = SplitStoragePath(path, defaultSection);
    EXPECT_EQ(split.section, section) << path;
    EXPECT_EQ(split.key, key) << path;
}

void ExpectSectionUndefined(std::string_view path, std::string_view defaultSection) {
    try {
        SplitStoragePath(path, defaultSection);
        ADD_FAILURE() << path << " resolved";
    } catch (const EAppStorageError& error) {
        EXPECT_STREQ(error.what(), "TAppIniFileStorage.ReadValue: Section undefined");
    }
}

TEST(StoragePath, SplitsAtTheLastBackslashAfterNormalising) {
    ExpectSplit("account\\country", "", "account", "country");
    ExpectSplit("one\\two\\three", "", "one\\two", "three");
    ExpectSplit("\\account\\\\country", "", "account", "country");
    ExpectSplit("account\\.\\nr\\..\\country\\", "", "account", "country");
    ExpectSplit("a\\b\\c\\...\\d\\key", "", "a\\d", "key");   // three dots remove two
    ExpectSplit("a\\.....\\b\\key", "", "b", "key");           // as many as there are
    EXPECT_EQ(NormalizeStoragePath("\\\\x\\.\\y\\\\"), "x\\y");
}

TEST(StoragePath, DefaultSectionFillsInOrTheSectionIsUndefined) {
    ExpectSplit("countries", "update", "update", "countries");
    ExpectSplit("\\..\\countries", "update", "update", "countries");
    ExpectSplit(".hidden\\key", "update", "update.hidden", "key");
    ExpectSectionUndefined("countries", "");
    ExpectSectionUndefined(".hidden\\key", "");
    ExpectSectionUndefined("", "");
}

TEST(FileLocation, FullFileNameDependsOnTheLocation) {
    testing::FakeFolders folders;
    folders.appData = "C:\\Users\\u\\AppData\\Roaming";
    folders.programFile = "C:\\Program Files\\VELORA\\velora.exe";
    folders.windows = "C:\\Windows";
    folders.temp = "C:\\Temp\\";

    EXPECT_EQ(FullFileNameFor("VELORA\\Desktop\\VELORADesktop.ini", flUserFolder, folders),
              "C:\\Users\\u\\AppData\\Roaming\\VELORA\\Desktop\\VELORADesktop.ini");
    EXPECT_EQ(FullFileNameFor("D:\\elsewhere\\x.ini", flUserFolder, folders),
              "C:\\Users\\u\\AppData\\Roaming\\x.ini");
    EXPECT_EQ(FullFileNameFor("sub\\version.ini", flExeFile, folders), "C:\\Program Files\\VELORA\\version.ini");
    EXPECT_EQ(FullFileNameFor("sub\\a.ini", flWindows, folders), "C:\\Windows\\a.ini");
    EXPECT_EQ(FullFileNameFor("a.ini", flTemp, folders), "C:\\Temp\\a.ini");
    EXPECT_EQ(FullFileNameFor("rel\\a.ini", flCustom, folders), "rel\\a.ini");
    EXPECT_EQ(FullFileNameFor("", flUserFolder, folders), "");

    folders.appData.clear();  // the system could not name it
    EXPECT_EQ(FullFileNameFor("VELORA\\Desktop\\VELORADesktop.ini", flUserFolder, folders),
              "\\VELORA\\Desktop\\VELORADesktop.ini");
}

}  // namespace
}  // namespace velora::settings
