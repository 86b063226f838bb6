#include "account/ProtectedPasswordKeeper.h"

#include "account/StoredPassword.h"
#include "platform/DataProtection.h"
#include "text/Base64.h"

namespace velora::account {

bool ProtectedPasswordKeeper::Made(const std::string& fileValue) const {
    return ParseStoredPassword(fileValue).form == PasswordForm::DataProtection;
}

void ProtectedPasswordKeeper::Keep(const std::string&, const std::string& password,
                                   std::function<void(std::optional<std::string>)> kept) {
    const std::optional<std::string> protectedBytes = protection_.Protect(password);
    kept(protectedBytes ? std::optional(DataProtectionValue(*protectedBytes)) : std::nullopt);
}

void ProtectedPasswordKeeper::Recover(const std::string&, const std::string& fileValue,
                                      std::function<void(const Recovery&)> recovered) {
    const StoredPasswordValue value = ParseStoredPassword(fileValue);
    const std::optional<std::string> blob =
        value.form == PasswordForm::DataProtection ? text::Base64Decode(value.text) : std::nullopt;
    const std::optional<std::string> password = blob && !blob->empty() ? protection_.Unprotect(*blob) : std::nullopt;
    recovered(password ? Recovery{Recovery::Recovered, *password} : Recovery{Recovery::Unreadable, {}});
}

}  // namespace velora::account
