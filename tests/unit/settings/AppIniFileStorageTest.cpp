#include <gtest/gtest.h>

#include <filesystem>

#include "settings/AppIniFileStorage.h"
#include "SettingsTestSupport.h"

namespace velora::settings {
namespace {

using testing::FakeFolders;
using testing::FixedFormats;
using testing::ScratchFolder;

const char kSectionUndefined[] = "TAppIniFileStorage.ReadValue: Section undefined";

template <typename Error, typename Action>
std::string MessageOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

// A file system whose writes fail the way a locked or protected file does.
class FailingFileSystem : public platform::StdFileSystem {
public:
    void ReplaceContents(const std::string&, const std::string&) override {
        throw platform::FileSystemError("Access is denied");
    }
};

class AppIniFileStorageTest : public ::testing::Test {
protected:
    AppIniFileStorageTest() {
        folders.appData = scratch.File("AppData");
        regional.formats = testing::GermanFormats();
    }

    std::string SettingsFile() const { return folders.appData + "\\VELORA\\Desktop\\VELORADesktop.ini"; }

    ScratchFolder scratch;
    platform::StdFileSystem files;
    FakeFolders folders;
    FixedFormats regional;
};

TEST_F(AppIniFileStorageTest, FirstWriteCreatesFoldersAndWritesTheExactFile) {
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsSettingsStore(store);
    EXPECT_EQ(store.FullFileName(), SettingsFile());
    EXPECT_FALSE(store.HasSection("account"));
    EXPECT_EQ(store.GetString("account\\nr", "none"), "none");

    store.PutString("version\\exe", "0.9.6.4");
    store.PutBoolean("extended\\checkOnline", true);
    store.PutString("account\\country", "49");
    store.PutInteger("formMain\\left", -12);
    store.PutString("account\\country", "43");
    store.PutString("countries", "x");  // in the default section

    EXPECT_EQ(ScratchFolder::Read(SettingsFile()),
              "[version]\r\nexe=0.9.6.4\r\n\r\n"
              "[extended]\r\ncheckOnline=true\r\n\r\n"
              "[account]\r\ncountry=43\r\n\r\n"
              "[formMain]\r\nleft=-12\r\n\r\n"
              "[update]\r\ncountries=x\r\n\r\n");
    // Only the file itself: no temporary file stays behind.
    const auto desktop = ScratchFolder::Native(folders.appData + "\\VELORA\\Desktop");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(desktop), std::filesystem::directory_iterator()),
              1);
}

TEST_F(AppIniFileStorageTest, PathsIgnoreLetterCaseAndNeedASection) {
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsSettingsStore(store);
    store.PutString("account\\country", "49");
    EXPECT_EQ(store.GetString("Account\\Country", ""), "49");
    EXPECT_EQ(store.GetString("\\ACCOUNT\\\\country", ""), "49");
    EXPECT_TRUE(store.HasValue("account\\COUNTRY"));
    store.PutString("Countries", "1");
    EXPECT_EQ(store.GetString("update\\countries", ""), "1");

    TAppIniFileStorage versionStore(files, folders, regional);
    testing::SetUpAsPlainStore(versionStore, scratch.File("version.ini"));
    EXPECT_EQ(MessageOf<EAppStorageError>([&] { versionStore.GetString("countries", ""); }), kSectionUndefined);
    EXPECT_EQ(MessageOf<EAppStorageError>([&] { versionStore.PutString("countries", "1"); }), kSectionUndefined);
}

TEST_F(AppIniFileStorageTest, BooleansAndIntegersConvertOrRaise) {
    ScratchFolder::Write(scratch.File("values.ini"),
                         "[b]\nt1=YES\nt2=y\nt3=1\nt4=-7\nt5=True\nf1=No\nf2=n\nf3=0\nf4=\nw=maybe\n"
                         "[i]\nn=42\nneg=-2147483648\nempty=\nbad=12a\nbig=2147483648\nblank=\n");
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsPlainStore(store, scratch.File("values.ini"));

    for (const char* key : {"t1", "t2", "t3", "t4", "t5"}) EXPECT_TRUE(store.GetBoolean(std::string("b\\") + key, false)) << key;
    for (const char* key : {"f1", "f2", "f3", "f4"}) EXPECT_FALSE(store.GetBoolean(std::string("b\\") + key, true)) << key;
    EXPECT_TRUE(store.GetBoolean("b\\missing", true));
    EXPECT_EQ(MessageOf<EConvertError>([&] { store.GetBoolean("b\\w", false); }),
              "'maybe' is not a valid integer value");

    EXPECT_EQ(store.GetInteger("i\\n", 0), 42);
    EXPECT_EQ(store.GetInteger("i\\neg", 0), -2147483647 - 1);
    EXPECT_EQ(store.GetInteger("i\\empty", 5), 0);
    EXPECT_EQ(store.GetInteger("i\\missing", 5), 5);
    EXPECT_EQ(MessageOf<EConvertError>([&] { store.GetInteger("i\\bad", 0); }), "'12a' is not a valid integer value");
    EXPECT_THROW(store.GetInteger("i\\big", 0), EConvertError);
    EXPECT_EQ(store.GetString("i\\blank", "default"), "");  // stored empty is not missing

    store.StorageOptions().SetDefaultIfReadConvertError(true);
    EXPECT_EQ(store.GetInteger("i\\bad", 7), 7);

    store.PutBoolean("b\\written", false);
    EXPECT_EQ(store.GetString("b\\written", ""), "FALSE");
}

TEST_F(AppIniFileStorageTest, BlanksAroundAValueAreLostAtTheNextReload) {
    TAppIniFileStorage settings(files, folders, regional);
    testing::SetUpAsSettingsStore(settings);
    settings.PutString("account\\nr", " 0171 ");
    EXPECT_EQ(settings.GetString("account\\nr", ""), "0171");

    TAppIniFileStorage plain(files, folders, regional);
    testing::SetUpAsPlainStore(plain, scratch.File("plain.ini"));
    plain.PutString("account\\nr", " 0171 ");
    EXPECT_EQ(plain.GetString("account\\nr", ""), " 0171 ");
    plain.Flush();
    plain.Reload();
    EXPECT_EQ(plain.GetString("account\\nr", ""), "0171");
}

TEST_F(AppIniFileStorageTest, LineBreaksInValuesNeverSplitTheFile) {
    ScratchFolder::Write(SettingsFile(),
                         "[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=old\r\nmobile=491721234567\r\n"
                         "[language]\r\nlang=de\r\n[countries]\r\nAUT=43\r\n");
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsSettingsStore(store);

    // As a paste into the password field, or another program, can hand them over.
    store.PutString("account\\password", "se\r\ncret\r\n[account]\r\nmobile=000\r\nnr=1");
    store.PutString("extended\\note", "\n[language]\nlang=xx\r");
    store.PutString("extended\\breaks", "\r\n\n\r");
    store.SetSectionValue("countries", "DEU", "49\r\n[account]\r\npassword=");
    store.Flush();

    EXPECT_EQ(ScratchFolder::Read(SettingsFile()),
              "[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=secret[account]mobile=000nr=1\r\n"
              "mobile=491721234567\r\n\r\n"
              "[language]\r\nlang=de\r\n\r\n"
              "[countries]\r\nAUT=43\r\nDEU=49[account]password=\r\n\r\n"
              "[extended]\r\nnote=[language]lang=xx\r\nbreaks=\r\n\r\n");

    // Read back through a store of its own: every other key is as it was.
    TAppIniFileStorage reread(files, folders, regional);
    testing::SetUpAsSettingsStore(reread);
    const std::pair<const char*, const char*> expected[] = {
        {"account\\password", "secret[account]mobile=000nr=1"},
        {"account\\country", "49"},
        {"account\\nr", "1721234567"},
        {"account\\mobile", "491721234567"},
        {"language\\lang", "de"},
        {"extended\\breaks", ""}};
    for (const auto& [path, value] : expected) EXPECT_EQ(reread.GetString(path, "missing"), value) << path;
    EXPECT_EQ(reread.SectionLines("countries"), (std::vector<std::string>{"AUT=43", "DEU=49[account]password="}));
}

TEST_F(AppIniFileStorageTest, SectionsExistOnlyWithLinesAndRemovalsReachTheFile) {
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsSettingsStore(store);
    ScratchFolder::Write(SettingsFile(),
                         "[account]\r\n[account\\old]\r\nx=1\r\n[countries]\r\nAFG=93\r\n"
                         "[countriesX]\r\na=1\r\n[Countries2]\r\nb=2\r\n[intern]\r\nfirststart=false\r\n");
    EXPECT_FALSE(store.HasSection("account"));
    EXPECT_TRUE(store.HasSection("\\account\\old"));

    store.RemoveValue("account\\old");  // no such key: the sub-section goes
    store.RemoveValue("intern\\firststart");
    store.RemoveTree("countries");
    EXPECT_EQ(ScratchFolder::Read(SettingsFile()),
              "[account]\r\n\r\n[Countries2]\r\nb=2\r\n\r\n[intern]\r\n\r\n");
    EXPECT_FALSE(store.HasValue("intern\\firststart"));

    store.RemoveTree("");
    EXPECT_EQ(ScratchFolder::Read(SettingsFile()), "");
}

TEST_F(AppIniFileStorageTest, DateTimesFollowTheRegionalFormats) {
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsSettingsStore(store);
    const TDateTime afternoon = EncodeDateTime({2024, 3, 5, 14, 30, 15, 0}).value();

    store.PutDateTime("check\\LastCheck", afternoon);
    EXPECT_EQ(store.GetString("check\\LastCheck", ""), "05.03.2024 14:30:15");
    EXPECT_EQ(store.GetDateTime("check\\LastCheck", 1.0), afternoon);
    store.PutDateTime("check\\LastCheck", 45356.0);
    EXPECT_EQ(store.GetString("check\\LastCheck", ""), "05.03.2024");
    store.PutInteger("check\\LastCheck", 0);
    EXPECT_EQ(store.GetDateTime("check\\LastCheck", afternoon), 0.0);
    EXPECT_EQ(store.GetDateTime("check\\missing", afternoon), afternoon);

    regional.formats = testing::UsFormats();
    store.PutDateTime("check\\LastCheck", afternoon);
    EXPECT_EQ(store.GetString("check\\LastCheck", ""), "3/5/2024 2:30:15 PM");
    EXPECT_EQ(store.GetDateTime("check\\LastCheck", 1.0), afternoon);
    store.PutInteger("check\\LastCheck", 0);
    EXPECT_EQ(store.GetDateTime("check\\LastCheck", afternoon), 0.0);

    // Text that is neither date nor time: the raw bytes of an extended value.
    store.PutString("check\\raw", "0000000000000080FF3F");
    EXPECT_EQ(store.GetDateTime("check\\raw", 5.0), 1.0);
    store.PutString("check\\raw", "00000000000000a000c0");
    EXPECT_EQ(store.GetDateTime("check\\raw", 5.0), -2.5);
    store.PutString("check\\raw", "ABCDEF");
    EXPECT_EQ(store.GetDateTime("check\\raw", 5.0), 5.0);
    store.PutString("check\\raw", "");
    EXPECT_EQ(store.GetDateTime("check\\raw", 5.0), 5.0);
    store.PutString("check\\raw", "yesterday");
    EXPECT_THROW(store.GetDateTime("check\\raw", 5.0), EConvertError);
}

TEST_F(AppIniFileStorageTest, StringListReadsCountAndItems) {
    ScratchFolder::Write(scratch.File("version.ini"), "[history]\nCount=3\nItem0=first\nItem1=second\n[broken]\nCount=x\n");
    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsPlainStore(store, scratch.File("version.ini"));

    std::vector<std::string> list{"old"};
    EXPECT_EQ(store.GetStringList("history", list), 3);
    EXPECT_EQ(list, (std::vector<std::string>{"first", "second", ""}));
    EXPECT_EQ(store.GetStringList("history", list, false), 3);
    EXPECT_EQ(list.size(), 6u);
    EXPECT_EQ(store.GetStringList("nothing", list), 6);  // no count: the list stays
    EXPECT_EQ(list.size(), 6u);
    EXPECT_THROW(store.GetStringList("broken", list), EConvertError);
}

TEST_F(AppIniFileStorageTest, ReadOnlyFileIsReadButNeverWritten) {
    const std::string content = "[account]\r\nnr=0171\r\n\r\n";
    ScratchFolder::Write(SettingsFile(), content);
    std::filesystem::permissions(ScratchFolder::Native(SettingsFile()), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);

    TAppIniFileStorage store(files, folders, regional);
    testing::SetUpAsSettingsStore(store);
    EXPECT_TRUE(store.PhysicalReadOnly());
    EXPECT_EQ(store.GetString("account\\nr", ""), "0171");
    store.PutString("account\\nr", "0999");
    store.RemoveTree("account");
    store.Flush();
    EXPECT_EQ(store.GetString("account\\nr", ""), "0171");
    EXPECT_EQ(ScratchFolder::Read(SettingsFile()), content);
}

TEST_F(AppIniFileStorageTest, UnwritableFileRaisesCannotCreateFile) {
    // A file where a folder should be: no folder can be created below it.
    ScratchFolder::Write(folders.appData, "not a folder");
    {
        TAppIniFileStorage store(files, folders, regional);
        testing::SetUpAsSettingsStore(store);
        const std::string message = MessageOf<EFCreateError>([&] { store.PutString("account\\nr", "1"); });
        const std::string expectedStart = "Cannot create file \"" + SettingsFile() + "\". ";
        EXPECT_EQ(message.substr(0, expectedStart.size()), expectedStart);
        EXPECT_GT(message.size(), expectedStart.size());  // the system's reason follows
    }  // the flush at destruction fails again, quietly

    // A failing replace leaves the old file as it was; the change stays in memory.
    const std::string file = scratch.File("version.ini");
    ScratchFolder::Write(file, "[a]\r\nk=old\r\n\r\n");
    FailingFileSystem failing;
    TAppIniFileStorage store(failing, folders, regional);
    testing::SetUpAsPlainStore(store, file);
    store.SetAutoFlush(true);
    EXPECT_EQ(MessageOf<EFCreateError>([&] { store.PutString("a\\k", "new"); }),
              "Cannot create file \"" + file + "\". Access is denied");
    EXPECT_EQ(ScratchFolder::Read(file), "[a]\r\nk=old\r\n\r\n");
    EXPECT_EQ(store.GetString("a\\k", ""), "new");
}

TEST_F(AppIniFileStorageTest, FileNameChangesAndDestructionFlush) {
    const std::string first = scratch.File("first.ini");
    ScratchFolder::Write(first, "[a]\nk=1\n");
    {
        TAppIniFileStorage store(files, folders, regional);
        testing::SetUpAsPlainStore(store, first);
        store.PutString("a\\k", "2");
        store.SetFileName(scratch.File("second"));  // flushes first.ini, loads second.ini
        EXPECT_EQ(store.FileName(), scratch.File("second.ini"));
        EXPECT_EQ(ScratchFolder::Read(first), "[a]\r\nk=2\r\n\r\n");
        EXPECT_FALSE(store.HasValue("a\\k"));
        EXPECT_TRUE(store.Loaded());
    }
    // Destroyed with nothing loaded: an empty file stands for the empty document.
    EXPECT_TRUE(std::filesystem::exists(ScratchFolder::Native(scratch.File("second.ini"))));
    EXPECT_EQ(ScratchFolder::Read(scratch.File("second.ini")), "");
}

// Every access asks whether the file changed; only a changed file is read.
TEST_F(AppIniFileStorageTest, AnUnchangedFileIsReadOnceAndEveryChangeIsSeen) {
    testing::CountingFileSystem counting;
    ScratchFolder::Write(SettingsFile(), "[a]\r\nk=1\r\n");
    testing::SetLastWriteBack(SettingsFile(), std::chrono::hours(1));
    TAppIniFileStorage store(counting, folders, regional);
    testing::SetUpAsSettingsStore(store);
    const int afterLoad = counting.reads;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(store.GetString("a\\k", ""), "1");
    EXPECT_TRUE(store.HasSection("a"));
    EXPECT_EQ(counting.reads, afterLoad);

    // Another program writes in place: same file, same size, another time.
    ScratchFolder::Write(SettingsFile(), "[a]\r\nk=2\r\n");
    testing::SetLastWriteBack(SettingsFile(), std::chrono::minutes(30));
    EXPECT_EQ(store.GetString("a\\k", ""), "2");
    // ... or puts another file in its place, with the same size and time.
    const auto time = std::filesystem::last_write_time(ScratchFolder::Native(SettingsFile()));
    ScratchFolder::Write(SettingsFile() + ".new", "[a]\r\nk=3\r\n");
    std::filesystem::last_write_time(ScratchFolder::Native(SettingsFile() + ".new"), time);
    std::filesystem::rename(ScratchFolder::Native(SettingsFile() + ".new"), ScratchFolder::Native(SettingsFile()));
    EXPECT_EQ(store.GetString("a\\k", ""), "3");
    // A file written moments ago may change again within its time's tick
    // without showing it: it is read at every access until it settles.
    ScratchFolder::Write(SettingsFile(), "[a]\r\nk=4\r\n");
    EXPECT_EQ(store.GetString("a\\k", ""), "4");
    const int fresh = counting.reads;
    ScratchFolder::Write(SettingsFile(), "[a]\r\nk=5\r\n");
    EXPECT_EQ(store.GetString("a\\k", ""), "5");
    EXPECT_EQ(counting.reads, fresh + 1);

    // Writing what is stored already writes nothing; our own write is read
    // back once, never trusted blindly.
    testing::SetLastWriteBack(SettingsFile(), std::chrono::hours(1));
    store.PutString("a\\k", "5");
    store.PutInteger("b\\n", 7);
    store.PutInteger("b\\n", 7);
    store.PutBoolean("b\\on", true);
    store.PutBoolean("b\\on", true);
    EXPECT_EQ(counting.writes, 2);
    store.RemoveValue("b\\missing");
    EXPECT_EQ(counting.writes, 2);
}

}  // namespace
}  // namespace velora::settings
