#include <gtest/gtest.h>

#include "account/KeyStorePasswordKeeper.h"
#include "account/ProtectedPasswordKeeper.h"
#include "account/StoredPassword.h"
#include "support/FakeKeyStores.h"
#include "text/Base64.h"

using namespace velora;
using account::PasswordForm;

TEST(StoredPassword, MarkersTellTheFormsApartAndAPlainPasswordNeverReadsAsMarked) {
    EXPECT_EQ(account::ParseStoredPassword("geheim").form, PasswordForm::Plain);
    EXPECT_EQ(account::ParseStoredPassword("geheim").text, "geheim");
    EXPECT_EQ(account::ParseStoredPassword("").form, PasswordForm::Plain);
    EXPECT_EQ(account::ParseStoredPassword("dpapi:QUJD").form, PasswordForm::DataProtection);
    EXPECT_EQ(account::ParseStoredPassword("dpapi:QUJD").text, "QUJD");
    EXPECT_EQ(account::ParseStoredPassword("secret-service:").form, PasswordForm::KeyStore);
    // Letter case counts: these are earlier versions' plain passwords.
    EXPECT_EQ(account::ParseStoredPassword("DPAPI:QUJD").form, PasswordForm::Plain);
    EXPECT_EQ(account::ParseStoredPassword("Secret-Service:").form, PasswordForm::Plain);

    EXPECT_EQ(account::DataProtectionValue("ABC"), "dpapi:QUJD");
    EXPECT_EQ(account::KeyStoreValue(), "secret-service:");
    // A plain password written where no key store answers reads back as it
    // was typed, also when it begins like a marker.
    for (const char* typed : {"geheim", "", "dpapi:QUJD", "secret-service:", "plain:x", "plain:", "dpapi"}) {
        const std::string password = typed;
        const std::string value = account::PlainPasswordValue(password);
        EXPECT_EQ(account::ParseStoredPassword(value).form, PasswordForm::Plain) << password;
        EXPECT_EQ(account::ParseStoredPassword(value).text, password);
    }
    EXPECT_EQ(account::PlainPasswordValue("geheim"), "geheim");  // as earlier versions wrote it
}

TEST(StoredPassword, ProtectedValueOpensOnlyForItsUserAndUndamaged) {
    fakes::FakeDataProtection anna("anna");
    account::ProtectedPasswordKeeper keeper(anna);
    std::optional<std::string> value;
    keeper.Keep("491721234567", "gr\xFCn geheim", [&](std::optional<std::string> kept) { value = kept; });
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(keeper.Made(*value));
    EXPECT_EQ(value->rfind("dpapi:", 0), 0u);
    EXPECT_EQ(value->find("geheim"), std::string::npos);
    EXPECT_EQ(value->find_first_of("\r\n "), std::string::npos) << "not one line of the settings file: " << *value;

    const auto recover = [](account::PasswordKeeper& from, const std::string& fileValue) {
        account::Recovery answer{account::Recovery::StillWaiting, "untouched"};
        int answers = 0;
        from.Recover("491721234567", fileValue, [&](const account::Recovery& recovery) {
            answer = recovery;
            ++answers;
        });
        EXPECT_EQ(answers, 1) << "answers at once, exactly once";
        return answer;
    };
    const account::Recovery recovered = recover(keeper, *value);
    EXPECT_EQ(recovered.state, account::Recovery::Recovered);
    EXPECT_EQ(recovered.password, "gr\xFCn geheim");

    // Another user's file, a cut value, bytes that are no Base64, an empty
    // blob, a plain password: none opens, and none crashes.
    fakes::FakeDataProtection bert("bert");
    account::ProtectedPasswordKeeper bertsKeeper(bert);
    EXPECT_EQ(recover(bertsKeeper, *value).state, account::Recovery::Unreadable);
    for (const std::string& damaged : {value->substr(0, value->size() - 4), std::string("dpapi:%%%%"),
                                      std::string("dpapi:"), std::string("dpapi:") + text::Base64Encode("bert|1|x"),
                                      std::string("geheim")}) {
        const account::Recovery answer = recover(keeper, damaged);
        EXPECT_EQ(answer.state, account::Recovery::Unreadable) << damaged;
        EXPECT_EQ(answer.password, "");
    }
    EXPECT_FALSE(keeper.Made("secret-service:"));

    // A system that refuses to protect keeps nothing.
    anna.refuse = true;
    value = "untouched";
    keeper.Keep("491721234567", "geheim", [&](std::optional<std::string> kept) { value = kept; });
    EXPECT_EQ(value, std::nullopt);
}

TEST(StoredPassword, KeyStoreKeeperStoresUnderTheAccountAndTheFileHoldsOnlyTheMarker) {
    fakes::FakeSecretStore store;
    account::KeyStorePasswordKeeper keeper(store);
    std::optional<std::string> value = "unanswered";
    keeper.Keep("491721234567", "geheim", [&](std::optional<std::string> kept) { value = kept; });
    EXPECT_EQ(value, "unanswered") << "the key store answers later";
    store.Respond();
    EXPECT_EQ(value, "secret-service:");
    EXPECT_TRUE(keeper.Made(*value));
    EXPECT_EQ(store.secrets["491721234567"], "geheim");

    std::vector<account::Recovery> answers;
    const auto collect = [&](const account::Recovery& recovery) { answers.push_back(recovery); };
    keeper.Recover("491721234567", *value, collect);
    keeper.Recover("43111", *value, collect);
    EXPECT_TRUE(answers.empty());
    store.Patience();
    store.Respond();
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[0].state, account::Recovery::StillWaiting);
    EXPECT_EQ(answers[2].state, account::Recovery::Recovered);
    EXPECT_EQ(answers[2].password, "geheim");
    EXPECT_EQ(answers[3].state, account::Recovery::Unreadable);  // nothing under that account

    keeper.Forget("491721234567");
    EXPECT_EQ(store.secrets.count("491721234567"), 0u);

    // No key store on the bus: nothing kept, nothing recovered.
    store.available = false;
    keeper.Keep("491721234567", "geheim", [&](std::optional<std::string> kept) { value = kept; });
    keeper.Recover("491721234567", "secret-service:", collect);
    store.Respond();
    EXPECT_EQ(value, std::nullopt);
    EXPECT_EQ(answers.back().state, account::Recovery::Unreadable);
}
