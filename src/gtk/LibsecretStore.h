#pragma once
// The account's password in the desktop's Secret Service (libsecret), under
// the attributes application "velora-desktop" and account (the mobile
// number). Every call is asynchronous; the answers come through the main
// loop of the user-interface thread.

#include <memory>
#include <vector>

#include "gtk/raii/ObjectRef.h"
#include "platform/SecretStore.h"

typedef struct _GCancellable GCancellable;

namespace velora::gtk {

class LibsecretStore : public platform::SecretStore {
public:
    // How long a lookup may keep its caller waiting before StillWaiting.
    static constexpr unsigned kPatienceMs = 2000;

    LibsecretStore();
    // Calls still under way end without an answer.
    ~LibsecretStore() override;
    LibsecretStore(const LibsecretStore&) = delete;
    LibsecretStore& operator=(const LibsecretStore&) = delete;

    void Lookup(const std::string& account, std::function<void(const LookupResult&)> answered) override;
    void Store(const std::string& account, const std::string& secret, std::function<void(bool)> stored) override;
    void Clear(const std::string& account) override;

    struct PendingLookup;

private:
    ObjectRef<GCancellable> cancellable_;
    std::vector<std::weak_ptr<PendingLookup>> lookups_;
};

}  // namespace velora::gtk
