#include "account/KeyStorePasswordKeeper.h"

#include "account/StoredPassword.h"
#include "platform/SecretStore.h"

namespace velora::account {

bool KeyStorePasswordKeeper::Made(const std::string& fileValue) const {
    return ParseStoredPassword(fileValue).form == PasswordForm::KeyStore;
}

void KeyStorePasswordKeeper::Keep(const std::string& account, const std::string& password,
                                  std::function<void(std::optional<std::string>)> kept) {
    keyStore_.Store(account, password, [kept = std::move(kept)](bool stored) {
        kept(stored ? std::optional(KeyStoreValue()) : std::nullopt);
    });
}

void KeyStorePasswordKeeper::Recover(const std::string& account, const std::string&,
                                     std::function<void(const Recovery&)> recovered) {
    keyStore_.Lookup(account, [recovered = std::move(recovered)](const platform::SecretStore::LookupResult& result) {
        switch (result.answer) {
        case platform::SecretStore::Answer::Found:
            recovered(Recovery{Recovery::Recovered, result.secret});
            break;
        case platform::SecretStore::Answer::StillWaiting:
            recovered(Recovery{Recovery::StillWaiting, {}});
            break;
        default:
            recovered(Recovery{Recovery::Unreadable, {}});
            break;
        }
    });
}

void KeyStorePasswordKeeper::Forget(const std::string& account) { keyStore_.Clear(account); }

}  // namespace velora::account
