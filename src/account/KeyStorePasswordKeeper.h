#pragma once
// The password in the desktop's key store under the account's mobile number;
// the settings file holds only the marker "secret-service:".

#include "account/PasswordKeeper.h"

namespace velora::account {

class KeyStorePasswordKeeper : public PasswordKeeper {
public:
    explicit KeyStorePasswordKeeper(platform::SecretStore& keyStore) : keyStore_(keyStore) {}

    bool AnswersAtOnce() const override { return false; }
    bool Made(const std::string& fileValue) const override;
    void Keep(const std::string& account, const std::string& password,
              std::function<void(std::optional<std::string>)> kept) override;
    void Recover(const std::string& account, const std::string& fileValue,
                 std::function<void(const Recovery&)> recovered) override;
    void Forget(const std::string& account) override;

private:
    platform::SecretStore& keyStore_;
};

}  // namespace velora::account
