#pragma once
// The password protected by the system's data protection for the current
// user, and kept so in the settings file itself ("dpapi:" and Base64).

#include "account/PasswordKeeper.h"

namespace velora::account {

class ProtectedPasswordKeeper : public PasswordKeeper {
public:
    explicit ProtectedPasswordKeeper(platform::DataProtection& protection) : protection_(protection) {}

    bool AnswersAtOnce() const override { return true; }
    bool Made(const std::string& fileValue) const override;
    void Keep(const std::string& account, const std::string& password,
              std::function<void(std::optional<std::string>)> kept) override;
    void Recover(const std::string& account, const std::string& fileValue,
                 std::function<void(const Recovery&)> recovered) override;
    // The protected value lives in the file alone: nothing to let go of.
    void Forget(const std::string&) override {}

private:
    platform::DataProtection& protection_;
};

}  // namespace velora::account
