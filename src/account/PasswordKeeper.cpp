#include "account/PasswordKeeper.h"

#include "account/KeyStorePasswordKeeper.h"
#include "account/ProtectedPasswordKeeper.h"

namespace velora::account {

std::unique_ptr<PasswordKeeper> MakePasswordKeeper(platform::DataProtection* protection,
                                                   platform::SecretStore* keyStore) {
    if (protection) return std::make_unique<ProtectedPasswordKeeper>(*protection);
    if (keyStore) return std::make_unique<KeyStorePasswordKeeper>(*keyStore);
    return nullptr;
}

}  // namespace velora::account
