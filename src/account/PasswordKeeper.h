#pragma once
// Where the account's password is kept instead of in plain text in the
// settings file: protected inside the file by the system's data protection,
// or in the desktop's key store, with a marked value in the file pointing at
// it (the forms in StoredPassword.h).

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace velora::platform {
class DataProtection;
class SecretStore;
}  // namespace velora::platform

namespace velora::account {

struct Recovery {
    enum State {
        Recovered,     // `password` is the password
        Unreadable,    // damaged, another user's, gone from the key store, or no key store answers
        StillWaiting,  // the key store takes long; the answer follows
    };
    State state = Unreadable;
    std::string password;
};

class PasswordKeeper {
public:
    virtual ~PasswordKeeper() = default;
    // True when every answer comes inside the call itself; false when it
    // comes later, from the user-interface thread's loop.
    virtual bool AnswersAtOnce() const = 0;
    // Whether a settings value is of the form this keeper makes.
    virtual bool Made(const std::string& fileValue) const = 0;
    // Keeps `password` for `account`; `kept` gets the value the settings file
    // holds in its place, or none when it could not be kept (the file then
    // keeps the plain text).
    virtual void Keep(const std::string& account, const std::string& password,
                      std::function<void(std::optional<std::string> fileValue)> kept) = 0;
    // The password behind a value this keeper made. `recovered` runs once with
    // the answer, before it at most once with StillWaiting.
    virtual void Recover(const std::string& account, const std::string& fileValue,
                         std::function<void(const Recovery&)> recovered) = 0;
    // Lets go of what it keeps for `account` outside the settings file.
    virtual void Forget(const std::string& account) = 0;
};

// The keeper over what the system offers: its data protection where there is
// one, else its key store; none without either (the password stays plain).
std::unique_ptr<PasswordKeeper> MakePasswordKeeper(platform::DataProtection* protection,
                                                   platform::SecretStore* keyStore);

}  // namespace velora::account
