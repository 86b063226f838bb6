#include <gtest/gtest.h>

#include "account/AccountPassword.h"
#include "account/StoredPassword.h"
#include "settings/SettingsTestSupport.h"
#include "support/FakeKeyStores.h"

using namespace velora;
using account::LoginPassword;
using settings::testing::ScratchFolder;

namespace {

// The settings file on disk, with every content written to it.
class RecordingFileSystem : public settings::testing::SystemFileSystem {
public:
    void ReplaceContents(const std::string& path, const std::string& bytes) override {
        writes.push_back(bytes);
        settings::testing::SystemFileSystem::ReplaceContents(path, bytes);
    }
    std::vector<std::string> writes;
};

constexpr const char* kPlainAccount = "[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=geheim\r\nmobile=491721234567\r\n";

class StoredAccountPassword : public ::testing::Test {
protected:
    StoredAccountPassword() { folders.appData = scratch.Folder(); }

    settings::TAppIniFileStorage& Store() {
        if (!store) {
            store = std::make_unique<settings::TAppIniFileStorage>(files, folders, formats);
            settings::testing::SetUpAsSettingsStore(*store);
        }
        return *store;
    }
    // The password as a start finds it, with the start's one write around
    // its preparation, as the application module has it.
    account::AccountPassword& Start(platform::DataProtection* protection, platform::SecretStore* keyStore) {
        password.reset();
        password = std::make_unique<account::AccountPassword>(Store(), account::MakePasswordKeeper(protection, keyStore));
        Store().Reload();
        Store().BeginUpdate();
        password->Prepare();
        Store().EndUpdate();
        Store().Flush();
        return *password;
    }
    void WriteSettings(const std::string& content) { ScratchFolder::Write(SettingsFile(), content); }
    std::string ReadSettings() const { return ScratchFolder::Read(SettingsFile()); }
    std::string SettingsFile() const { return scratch.File(R"(VELORA\Desktop\VELORADesktop.ini)"); }
    std::string StoredValue() { return Store().GetString("account\\password", "<none>"); }

    ScratchFolder scratch;
    RecordingFileSystem files;
    settings::testing::FakeFolders folders;
    settings::testing::FixedFormats formats;
    std::unique_ptr<settings::TAppIniFileStorage> store;
    std::unique_ptr<account::AccountPassword> password;
};

void ExpectKnown(const LoginPassword& login, const std::string& expected) {
    EXPECT_EQ(login.state, LoginPassword::Known);
    EXPECT_EQ(login.password, expected);
}

}  // namespace

TEST_F(StoredAccountPassword, PlainPasswordIsProtectedWithinTheStartsOneWriteAndStillLogsIn) {
    WriteSettings(kPlainAccount);
    fakes::FakeDataProtection protection;
    ExpectKnown(Start(&protection, nullptr).Current(), "geheim");
    ASSERT_EQ(files.writes.size(), 1u) << "the plain text goes in the same write that stores the protected value";
    EXPECT_EQ(files.writes[0].find("geheim"), std::string::npos) << files.writes[0];
    EXPECT_EQ(StoredValue().rfind("dpapi:", 0), 0u);
    // Nothing else changed.
    EXPECT_NE(ReadSettings().find("[account]\r\ncountry=49\r\nnr=1721234567\r\npassword=dpapi:"), std::string::npos);
    EXPECT_NE(ReadSettings().find("\r\nmobile=491721234567\r\n"), std::string::npos);

    // The next start reads it back and writes nothing.
    const int unprotectionsBefore = protection.unprotections;
    ExpectKnown(Start(&protection, nullptr).Current(), "geheim");
    EXPECT_EQ(files.writes.size(), 1u);
    EXPECT_EQ(protection.unprotections, unprotectionsBefore + 1);
    ExpectKnown(password->Current(), "geheim");
    EXPECT_EQ(protection.unprotections, unprotectionsBefore + 1) << "read once, then kept in memory";

    // Where the system refuses to protect, the file keeps the plain text, as ever.
    WriteSettings(kPlainAccount);
    protection.refuse = true;
    ExpectKnown(Start(&protection, nullptr).Current(), "geheim");
    EXPECT_EQ(StoredValue(), "geheim");
    // An empty password, and none at all, are left as they are.
    protection.refuse = false;
    WriteSettings("[account]\r\npassword=\r\nmobile=491721234567\r\n");
    ExpectKnown(Start(&protection, nullptr).Current(), "");
    EXPECT_EQ(StoredValue(), "");
    WriteSettings("[account]\r\nmobile=491721234567\r\n");
    ExpectKnown(Start(&protection, nullptr).Current(), "");
    EXPECT_EQ(StoredValue(), "<none>");
}

TEST_F(StoredAccountPassword, PlainPasswordLeavesTheFileOnlyOnceTheKeyStoreHoldsIt) {
    WriteSettings(kPlainAccount);
    fakes::FakeSecretStore keyStore;
    ExpectKnown(Start(nullptr, &keyStore).Current(), "geheim");
    EXPECT_EQ(StoredValue(), "geheim") << "kept until the key store has it";
    EXPECT_EQ(keyStore.calls, (std::vector<std::string>{"store 491721234567"}));
    const std::size_t writesBefore = files.writes.size();
    keyStore.Respond();
    ASSERT_EQ(files.writes.size(), writesBefore + 1);
    EXPECT_EQ(files.writes.back().find("geheim"), std::string::npos);
    EXPECT_NE(files.writes.back().find("\r\npassword=secret-service:\r\n"), std::string::npos);
    EXPECT_EQ(keyStore.secrets["491721234567"], "geheim");
    ExpectKnown(password->Current(), "geheim");

    // The next start looks it up once.
    Start(nullptr, &keyStore);
    keyStore.Respond();
    ExpectKnown(password->Current(), "geheim");
    EXPECT_EQ(std::count(keyStore.calls.begin(), keyStore.calls.end(), "lookup 491721234567"), 1);

    // No key store on the bus: the file keeps the plain text.
    WriteSettings(kPlainAccount);
    keyStore.available = false;
    Start(nullptr, &keyStore);
    keyStore.Respond();
    EXPECT_EQ(StoredValue(), "geheim");
    ExpectKnown(password->Current(), "geheim");

    // A password changed in the file while the store worked stays as it is.
    keyStore.available = true;
    WriteSettings(kPlainAccount);
    Start(nullptr, &keyStore);
    Store().PutString("account\\password", "anders");
    keyStore.Respond();
    EXPECT_EQ(StoredValue(), "anders");
    ExpectKnown(password->Current(), "anders");
}

TEST_F(StoredAccountPassword, ValueThatCannotBeReadCountsAsNoPassword) {
    fakes::FakeDataProtection protection;
    fakes::FakeDataProtection otherUser("bert");
    fakes::FakeSecretStore keyStore;
    // Another user's file, a damaged value, the other system's form, a
    // value the key store no longer holds, and a marked value with no keeper.
    struct Case {
        std::string value;
        platform::DataProtection* protection;
        platform::SecretStore* keyStore;
    };
    std::optional<std::string> othersValue;
    account::MakePasswordKeeper(&otherUser, nullptr)->Keep("491721234567", "geheim", [&](auto kept) { othersValue = kept; });
    ASSERT_TRUE(othersValue);
    for (const Case& c : {Case{*othersValue, &protection, nullptr}, Case{"dpapi:Zm9v!", &protection, nullptr},
                          Case{"dpapi:", &protection, nullptr}, Case{"secret-service:", &protection, nullptr},
                          Case{*othersValue, nullptr, &keyStore}, Case{"secret-service:", nullptr, &keyStore},
                          Case{"dpapi:Zm9v", nullptr, nullptr}}) {
        WriteSettings("[account]\r\nmobile=491721234567\r\npassword=" + c.value + "\r\n");
        const std::size_t writesBefore = files.writes.size();
        Start(c.protection, c.keyStore);
        keyStore.Respond();
        const LoginPassword login = password->Current();
        EXPECT_EQ(login.state, LoginPassword::Unreadable) << c.value;
        EXPECT_EQ(login.password, "") << c.value;
        EXPECT_EQ(StoredValue(), c.value) << "left for the user to replace";
        EXPECT_EQ(files.writes.size(), writesBefore + (files.writes.size() > writesBefore ? 1 : 0));
    }
}

TEST_F(StoredAccountPassword, PagesWaitForTheKeyStoreButNoLongerThanItsBound) {
    WriteSettings("[account]\r\nmobile=491721234567\r\npassword=secret-service:\r\n");
    fakes::FakeSecretStore keyStore;
    keyStore.secrets["491721234567"] = "geheim";
    std::vector<std::string> ran;
    auto& stored = Start(nullptr, &keyStore);
    EXPECT_EQ(keyStore.calls, (std::vector<std::string>{"lookup 491721234567"})) << "looked up at start";
    EXPECT_EQ(stored.Current().state, LoginPassword::Pending);
    stored.WhenSettled([&] { ran.push_back("page " + std::to_string(stored.Current().state)); });
    stored.WhenAnswered([&] { ran.push_back("field " + stored.Current().password); });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(keyStore.calls.size(), 1u) << "asking again does not look it up again";

    // The store takes long: the page goes without a digest, the field waits on.
    keyStore.Patience();
    EXPECT_EQ(ran, (std::vector<std::string>{"page 1"}));
    stored.WhenSettled([&] { ran.push_back("later page"); });
    EXPECT_EQ(ran.back(), "later page") << "no more waiting once the bound has passed";
    keyStore.Respond();
    EXPECT_EQ(ran.back(), "field geheim");
    ExpectKnown(stored.Current(), "geheim");

    // Answered in time, the waiting page gets the password.
    ran.clear();
    auto& again = Start(nullptr, &keyStore);
    again.WhenSettled([&] { ran.push_back("page " + again.Current().password); });
    keyStore.Respond();
    EXPECT_EQ(ran, (std::vector<std::string>{"page geheim"}));
    again.WhenSettled([&] { ran.push_back("at once"); });
    EXPECT_EQ(ran.back(), "at once");

    // An answer that comes after the password object is gone reaches nothing.
    Start(nullptr, &keyStore);
    password.reset();
    keyStore.Respond();
}

TEST_F(StoredAccountPassword, TypedPasswordIsStoredThroughTheKeeper) {
    WriteSettings(kPlainAccount);
    fakes::FakeDataProtection protection;
    auto& protectedOne = Start(&protection, nullptr);
    protectedOne.Store("431701", "neu");
    EXPECT_EQ(StoredValue().rfind("dpapi:", 0), 0u);
    EXPECT_EQ(ReadSettings().find("neu"), std::string::npos);
    Store().PutString("account\\mobile", "431701");
    ExpectKnown(protectedOne.Current(), "neu");
    protectedOne.Store("431701", "");
    EXPECT_EQ(StoredValue(), "");

    // The key store: the file keeps its value until the store answers, the
    // login uses the typed password meanwhile; a changed number takes the
    // stored secret with it.
    WriteSettings(kPlainAccount);
    fakes::FakeSecretStore keyStore;
    auto& kept = Start(nullptr, &keyStore);
    keyStore.Respond();
    kept.Store("431701", "neu");
    Store().PutString("account\\mobile", "431701");
    EXPECT_EQ(StoredValue(), "secret-service:");
    ExpectKnown(kept.Current(), "neu");
    keyStore.Respond();
    EXPECT_EQ(StoredValue(), "secret-service:");
    EXPECT_EQ(keyStore.secrets, (std::map<std::string, std::string>{{"431701", "neu"}}));
    ExpectKnown(kept.Current(), "neu");
    EXPECT_EQ(ReadSettings().find("neu"), std::string::npos);

    // Two quick OKs: only the later one counts.
    kept.Store("431701", "erstes");
    kept.Store("431701", "zweites");
    keyStore.Respond();
    ExpectKnown(kept.Current(), "zweites");

    // Emptied: an empty value, and the key store lets go.
    kept.Store("431701", "");
    EXPECT_EQ(StoredValue(), "");
    EXPECT_EQ(keyStore.secrets.count("431701"), 0u);

    // No key store answers: plain, as ever, also when it looks like a marker.
    keyStore.available = false;
    kept.Store("431701", "dpapi:x");
    keyStore.Respond();
    EXPECT_EQ(StoredValue(), "plain:dpapi:x");
    ExpectKnown(kept.Current(), "dpapi:x");

    // Without any keeper the file holds what was typed.
    auto& plain = Start(nullptr, nullptr);
    plain.Store("431701", "klar");
    EXPECT_EQ(StoredValue(), "klar");
    ExpectKnown(plain.Current(), "klar");
}
