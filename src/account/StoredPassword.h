#pragma once
// The forms the value account\password takes in the settings file. A value
// the program protected carries a marker in front, so that it can be told
// from a plain password:
//
//   dpapi:<Base64>        protected for the current user by the system's data
//                         protection (Windows); Base64 of the protected bytes
//   secret-service:       the password lies in the desktop's key store (Linux),
//                         under the program and the account's mobile number
//   plain:<password>      a plain password that itself begins like a marker,
//                         where no key store answers
//   anything else         a plain password, as earlier versions wrote it
//
// The markers are matched exactly (letter case counts).

#include <string>
#include <string_view>

namespace velora::account {

inline constexpr const char* kPasswordPath = "account\\password";

inline constexpr std::string_view kDataProtectionMarker = "dpapi:";
inline constexpr std::string_view kKeyStoreMarker = "secret-service:";
inline constexpr std::string_view kPlainMarker = "plain:";

enum class PasswordForm {
    Plain,           // `text` is the password
    DataProtection,  // `text` is the Base64 after the marker
    KeyStore,        // `text` is what follows the marker (empty as the program writes it)
};

struct StoredPasswordValue {
    PasswordForm form = PasswordForm::Plain;
    std::string text;
};

StoredPasswordValue ParseStoredPassword(std::string_view value);
// The value that stores `password` in plain text: as it is, unless it would
// be read as marked.
std::string PlainPasswordValue(std::string_view password);
// The value for bytes the system's data protection made.
std::string DataProtectionValue(std::string_view protectedBytes);
// The value that points at the key store.
std::string KeyStoreValue();

}  // namespace velora::account
