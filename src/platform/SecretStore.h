#pragma once
// The desktop's key store (Linux: the Secret Service on the session bus),
// holding one secret per account of the program. It answers later, on the
// user-interface thread: nothing waits for it.

#include <functional>
#include <string>

namespace velora::platform {

class SecretStore {
public:
    enum class Answer {
        Found,         // the secret is in `secret`
        NotFound,      // the store holds none for the account
        Unavailable,   // no store answered, or it refused
        StillWaiting,  // the store takes long (it may ask the user to unlock it); the answer follows
    };
    struct LookupResult {
        Answer answer = Answer::Unavailable;
        std::string secret;
    };

    virtual ~SecretStore() = default;
    // `answered` runs once with the answer, and before it at most once with
    // StillWaiting. Texts are the program's single-byte texts.
    virtual void Lookup(const std::string& account, std::function<void(const LookupResult&)> answered) = 0;
    // Stores (or replaces) the account's secret; `stored` tells whether the store took it.
    virtual void Store(const std::string& account, const std::string& secret,
                       std::function<void(bool stored)> stored) = 0;
    // Removes the account's secret, if there is one; nobody waits for it.
    virtual void Clear(const std::string& account) = 0;
};

}  // namespace velora::platform
