#include "account/AccountPassword.h"

#include <exception>

#include "account/StoredPassword.h"
#include "settings/AppIniFileStorage.h"

namespace velora::account {

namespace {
constexpr const char* kMobilePath = "account\\mobile";
}

AccountPassword::AccountPassword(settings::TAppIniFileStorage& store, std::unique_ptr<PasswordKeeper> keeper)
    : store_(store), keeper_(std::move(keeper)) {}

AccountPassword::~AccountPassword() { *alive_ = false; }

void AccountPassword::Prepare() {
    if (!keeper_) return;
    const Key key{store_.GetString(kMobilePath, ""), store_.GetString(kPasswordPath, "")};
    const StoredPasswordValue value = ParseStoredPassword(key.fileValue);
    if (value.form != PasswordForm::Plain) {
        if (!keeper_->AnswersAtOnce() && keeper_->Made(key.fileValue)) StartRecovery(key);
        return;
    }
    if (value.text.empty()) return;
    const unsigned generation = ++generation_;
    storing_ = Typed{key.account, value.text};
    keeper_->Keep(key.account, value.text,
                  [this, alive = alive_, generation, key, password = value.text](std::optional<std::string> kept) {
                      if (!*alive || generation != generation_) return;
                      storing_.reset();
                      // Not kept: the file keeps the plain text it has.
                      if (!kept) return;
                      // Only over the very value found at start: a change made meanwhile stays.
                      if (store_.GetString(kPasswordPath, "") != key.fileValue ||
                          store_.GetString(kMobilePath, "") != key.account) {
                          return;
                      }
                      store_.PutString(kPasswordPath, *kept);
                      recoveredKey_ = Key{key.account, *kept};
                      recovered_ = LoginPassword{LoginPassword::Known, password};
                  });
}

LoginPassword AccountPassword::Current() {
    return Resolve(Key{store_.GetString(kMobilePath, ""), store_.GetString(kPasswordPath, "")});
}

LoginPassword AccountPassword::Resolve(const Key& key) {
    if (storing_ && storing_->account == key.account) return {LoginPassword::Known, storing_->password};
    const StoredPasswordValue value = ParseStoredPassword(key.fileValue);
    if (value.form == PasswordForm::Plain) return {LoginPassword::Known, value.text};
    if (recoveredKey_ == key) return recovered_;
    // Another program's form (a file from another system), or no keeper here.
    if (!keeper_ || !keeper_->Made(key.fileValue)) return {LoginPassword::Unreadable, {}};
    StartRecovery(key);
    if (recoveredKey_ == key) return recovered_;
    return {LoginPassword::Pending, {}};
}

void AccountPassword::StartRecovery(const Key& key) {
    if (recovering_ == key) return;
    recovering_ = key;
    waitedOut_ = false;
    keeper_->Recover(key.account, key.fileValue, [this, alive = alive_, key](const Recovery& recovery) {
        if (*alive) Recovered(key, recovery);
    });
}

void AccountPassword::Recovered(const Key& key, const Recovery& recovery) {
    // The answer to a value the file no longer holds.
    if (recovering_ != key) return;
    if (recovery.state == Recovery::StillWaiting) {
        waitedOut_ = true;
        RunAll(settledWaiters_);
        return;
    }
    recovering_.reset();
    waitedOut_ = false;
    recoveredKey_ = key;
    recovered_ = recovery.state == Recovery::Recovered ? LoginPassword{LoginPassword::Known, recovery.password}
                                                       : LoginPassword{LoginPassword::Unreadable, {}};
    RunAll(settledWaiters_);
    RunAll(answeredWaiters_);
}

void AccountPassword::WhenSettled(std::function<void()> action) {
    if (Current().state != LoginPassword::Pending || waitedOut_) return action();
    settledWaiters_.push_back(std::move(action));
}

void AccountPassword::WhenAnswered(std::function<void()> action) {
    if (Current().state != LoginPassword::Pending) return action();
    answeredWaiters_.push_back(std::move(action));
}

void AccountPassword::Store(const std::string& account, const std::string& password) {
    const std::string previousAccount = store_.GetString(kMobilePath, "");
    const unsigned generation = ++generation_;
    storing_.reset();
    // Nothing to keep: an empty password stays an empty value, and the key
    // store lets go of the one it held.
    if (!keeper_ || password.empty()) {
        store_.PutString(kPasswordPath, PlainPasswordValue(password));
        Forget(previousAccount);
        if (account != previousAccount) Forget(account);
        return;
    }
    storing_ = Typed{account, password};
    keeper_->Keep(account, password,
                  [this, alive = alive_, generation, account, password, previousAccount](std::optional<std::string> kept) {
                      if (!*alive || generation != generation_) return;
                      storing_.reset();
                      const std::string value = kept ? *kept : PlainPasswordValue(password);
                      store_.PutString(kPasswordPath, value);
                      if (!kept) return;
                      recoveredKey_ = Key{account, value};
                      recovered_ = LoginPassword{LoginPassword::Known, password};
                      if (account != previousAccount) Forget(previousAccount);
                  });
}

void AccountPassword::Forget(const std::string& account) {
    if (keeper_) keeper_->Forget(account);
}

// Every action runs, even when an earlier one fails; the first failure is
// passed on afterwards.
void AccountPassword::RunAll(std::vector<std::function<void()>>& actions) {
    std::vector<std::function<void()>> due;
    due.swap(actions);
    std::exception_ptr failure;
    for (auto& action : due) {
        try {
            action();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace velora::account
