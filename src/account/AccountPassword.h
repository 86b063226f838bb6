#pragma once
// The account's password as the program uses it: read from the form the
// settings file holds (StoredPassword.h), kept in memory once recovered from
// the keeper, handed to the keeper when typed, and moved out of plain text at
// start. Without a keeper the settings file holds it in plain text, as ever.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "account/PasswordKeeper.h"

namespace velora::settings {
class TAppIniFileStorage;
}

namespace velora::account {

struct LoginPassword {
    enum State {
        Known,       // `password` is the password (it may be empty)
        Pending,     // the key store has not answered yet
        Unreadable,  // treated as no password: the login carries no digest
    };
    State state = Known;
    std::string password;
};

class AccountPassword {
public:
    // `keeper` may be null.
    AccountPassword(settings::TAppIniFileStorage& store, std::unique_ptr<PasswordKeeper> keeper);
    ~AccountPassword();
    AccountPassword(const AccountPassword&) = delete;
    AccountPassword& operator=(const AccountPassword&) = delete;

    // At start: a plain password goes to the keeper and, once kept, the
    // value that stands for it replaces the plain text in one write (a keeper
    // that answers at once does so inside the caller's update, so within the
    // start's own write); a value the key store holds is looked up now.
    void Prepare();

    // The password stored for the stored mobile number.
    LoginPassword Current();

    // Runs `action` once the password is known or unreadable, or once the key
    // store keeps the caller waiting past its short bound; at once when it is
    // not pending.
    void WhenSettled(std::function<void()> action);
    // Runs `action` once the key store has answered, however long it takes;
    // at once when the password is not pending.
    void WhenAnswered(std::function<void()> action);

    // The options dialog's OK: `password` as typed, for the account (the
    // mobile number) about to be stored. Where the keeper answers later, the
    // settings file keeps its value until it does.
    void Store(const std::string& account, const std::string& password);

private:
    struct Key {
        std::string account;
        std::string fileValue;
        bool operator==(const Key&) const = default;
    };
    struct Typed {
        std::string account;
        std::string password;
    };

    LoginPassword Resolve(const Key& key);
    void StartRecovery(const Key& key);
    void Recovered(const Key& key, const Recovery& recovery);
    void Forget(const std::string& account);
    static void RunAll(std::vector<std::function<void()>>& actions);

    settings::TAppIniFileStorage& store_;
    std::unique_ptr<PasswordKeeper> keeper_;
    // The keeper's answers come to this object only while it lives.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // Handed to the keeper, its answer not yet in; counts for the login meanwhile.
    std::optional<Typed> storing_;
    // Only the answer to the latest hand-over counts.
    unsigned generation_ = 0;
    std::optional<Key> recovering_;
    // The key store kept the current recovery waiting past its bound.
    bool waitedOut_ = false;
    std::optional<Key> recoveredKey_;
    LoginPassword recovered_;
    std::vector<std::function<void()>> settledWaiters_;
    std::vector<std::function<void()>> answeredWaiters_;
};

}  // namespace velora::account
