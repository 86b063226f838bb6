#include "gtk/LibsecretStore.h"

#include <libsecret/secret.h>

#include <algorithm>

#include "gtk/AnsiText.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/raii/GlibError.h"

namespace velora::gtk {

namespace {

const SecretSchema kSchema = {
    "com.velora.Desktop.Login",
    SECRET_SCHEMA_NONE,
    {{"application", SECRET_SCHEMA_ATTRIBUTE_STRING}, {"account", SECRET_SCHEMA_ATTRIBUTE_STRING}, {nullptr, {}}},
    0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};
constexpr const char* kApplication = "velora-desktop";

// libsecret wipes the password when it frees it.
struct FreePassword {
    void operator()(gchar* password) const { secret_password_free(password); }
};
using PasswordOwner = std::unique_ptr<gchar, FreePassword>;

bool Cancelled(const GlibError& error) { return error.Matches(G_IO_ERROR, G_IO_ERROR_CANCELLED); }

// No exception leaves a GLib callback: it goes to the error display.
template <class Action>
void Guard(Action&& action) {
    try {
        action();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

}  // namespace

// One lookup under way: the store's answer and the patience timer both hold it.
struct LibsecretStore::PendingLookup {
    std::function<void(const LookupResult&)> answered;
    guint timer = 0;
    bool finished = false;
};

LibsecretStore::LibsecretStore() : cancellable_(ObjectRef<GCancellable>::Adopt(g_cancellable_new())) {}

LibsecretStore::~LibsecretStore() {
    g_cancellable_cancel(cancellable_.Get());
    for (const auto& weak : lookups_) {
        if (const auto lookup = weak.lock(); lookup && lookup->timer) g_source_remove(lookup->timer);
    }
}

void LibsecretStore::Lookup(const std::string& account, std::function<void(const LookupResult&)> answered) {
    std::erase_if(lookups_, [](const auto& weak) { return weak.expired(); });
    auto lookup = std::make_shared<PendingLookup>();
    lookup->answered = std::move(answered);
    lookups_.push_back(lookup);

    lookup->timer = g_timeout_add_full(
        G_PRIORITY_DEFAULT, kPatienceMs,
        [](gpointer data) -> gboolean {
            auto& held = *static_cast<std::shared_ptr<PendingLookup>*>(data);
            held->timer = 0;
            if (!held->finished) Guard([&] { held->answered(LookupResult{Answer::StillWaiting, {}}); });
            return G_SOURCE_REMOVE;
        },
        new std::shared_ptr<PendingLookup>(lookup),
        [](gpointer data) { delete static_cast<std::shared_ptr<PendingLookup>*>(data); });

    const std::string accountUtf8 = ToUtf8(account);
    secret_password_lookup(
        &kSchema, cancellable_.Get(),
        [](GObject*, GAsyncResult* result, gpointer data) {
            const std::unique_ptr<std::shared_ptr<PendingLookup>> holder(static_cast<std::shared_ptr<PendingLookup>*>(data));
            auto& held = **holder;
            GlibError error;
            const PasswordOwner password(secret_password_lookup_finish(result, error.Receive()));
            if (Cancelled(error)) return;
            held.finished = true;
            if (held.timer) {
                g_source_remove(held.timer);
                held.timer = 0;
            }
            LookupResult answer;
            if (error) {
                answer.answer = Answer::Unavailable;
            } else if (password) {
                answer = LookupResult{Answer::Found, FromUtf8(password.get())};
            } else {
                answer.answer = Answer::NotFound;
            }
            Guard([&] { held.answered(answer); });
        },
        new std::shared_ptr<PendingLookup>(lookup), "application", kApplication, "account", accountUtf8.c_str(),
        nullptr);
}

void LibsecretStore::Store(const std::string& account, const std::string& secret, std::function<void(bool)> stored) {
    const std::string accountUtf8 = ToUtf8(account);
    const std::string label = "VELORA Desktop: " + accountUtf8;
    const std::string secretUtf8 = ToUtf8(secret);
    secret_password_store(
        &kSchema, SECRET_COLLECTION_DEFAULT, label.c_str(), secretUtf8.c_str(), cancellable_.Get(),
        [](GObject*, GAsyncResult* result, gpointer data) {
            const std::unique_ptr<std::function<void(bool)>> done(static_cast<std::function<void(bool)>*>(data));
            GlibError error;
            const bool ok = secret_password_store_finish(result, error.Receive());
            if (Cancelled(error)) return;
            Guard([&] { (*done)(ok && !error); });
        },
        new std::function<void(bool)>(std::move(stored)), "application", kApplication, "account",
        accountUtf8.c_str(), nullptr);
}

void LibsecretStore::Clear(const std::string& account) {
    const std::string accountUtf8 = ToUtf8(account);
    secret_password_clear(
        &kSchema, cancellable_.Get(),
        [](GObject*, GAsyncResult* result, gpointer) {
            GlibError error;
            secret_password_clear_finish(result, error.Receive());
        },
        nullptr, "application", kApplication, "account", accountUtf8.c_str(), nullptr);
}

}  // namespace velora::gtk
