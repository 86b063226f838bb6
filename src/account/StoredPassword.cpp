#include "account/StoredPassword.h"

#include "text/Base64.h"
#include "text/Text.h"

namespace velora::account {

StoredPasswordValue ParseStoredPassword(std::string_view value) {
    for (const auto& [marker, form] : {std::pair{kDataProtectionMarker, PasswordForm::DataProtection},
                                       std::pair{kKeyStoreMarker, PasswordForm::KeyStore},
                                       std::pair{kPlainMarker, PasswordForm::Plain}}) {
        if (text::StartsWith(value, marker)) return {form, std::string(value.substr(marker.size()))};
    }
    return {PasswordForm::Plain, std::string(value)};
}

std::string PlainPasswordValue(std::string_view password) {
    const bool looksMarked = text::StartsWith(password, kDataProtectionMarker) ||
                             text::StartsWith(password, kKeyStoreMarker) || text::StartsWith(password, kPlainMarker);
    return looksMarked ? std::string(kPlainMarker) + std::string(password) : std::string(password);
}

std::string DataProtectionValue(std::string_view protectedBytes) {
    return std::string(kDataProtectionMarker) + text::Base64Encode(protectedBytes);
}

std::string KeyStoreValue() { return std::string(kKeyStoreMarker); }

}  // namespace velora::account
