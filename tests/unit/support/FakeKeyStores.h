#pragma once
// Stand-ins for the system's places for the password: a data protection
// bound to a user (another user's protected bytes do not open), and a key
// store that answers only when the test lets it.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/DataProtection.h"
#include "platform/SecretStore.h"

namespace velora::fakes {

class FakeDataProtection : public platform::DataProtection {
public:
    explicit FakeDataProtection(std::string user = "anna") : user_(std::move(user)) {}

    // "<user>|<length>|" and the bytes turned around and flipped: the plain
    // text never shows, and a cut or another user's blob does not open.
    std::optional<std::string> Protect(const std::string& data) override {
        ++protections;
        if (refuse) return std::nullopt;
        return Head(data.size()) + Scrambled(data);
    }
    std::optional<std::string> Unprotect(const std::string& blob) override {
        ++unprotections;
        const std::size_t bar = blob.find('|', user_.size() + 1);
        if (bar == std::string::npos) return std::nullopt;
        const std::string data = Scrambled(blob.substr(bar + 1));
        if (blob.compare(0, bar + 1, Head(data.size())) != 0) return std::nullopt;
        return data;
    }

    bool refuse = false;
    int protections = 0;
    int unprotections = 0;

private:
    std::string Head(std::size_t length) const { return user_ + "|" + std::to_string(length) + "|"; }
    static std::string Scrambled(std::string bytes) {
        std::string result(bytes.rbegin(), bytes.rend());
        for (char& c : result) c = static_cast<char>(c ^ 0x5A);
        return result;
    }
    std::string user_;
};

class FakeSecretStore : public platform::SecretStore {
public:
    void Lookup(const std::string& account, std::function<void(const LookupResult&)> answered) override {
        calls.push_back("lookup " + account);
        lookups_.push_back({account, std::move(answered)});
    }
    void Store(const std::string& account, const std::string& secret, std::function<void(bool)> stored) override {
        calls.push_back("store " + account);
        stores_.push_back({account, secret, std::move(stored)});
    }
    void Clear(const std::string& account) override {
        calls.push_back("clear " + account);
        if (available) secrets.erase(account);
    }

    // The store answers everything asked so far, in order.
    void Respond() {
        while (!stores_.empty()) {
            auto request = std::move(stores_.front());
            stores_.pop_front();
            if (available) secrets[request.account] = request.secret;
            request.stored(available);
        }
        while (!lookups_.empty()) {
            auto request = std::move(lookups_.front());
            lookups_.pop_front();
            LookupResult result;
            const auto found = secrets.find(request.account);
            if (!available) result.answer = Answer::Unavailable;
            else if (found == secrets.end()) result.answer = Answer::NotFound;
            else result = LookupResult{Answer::Found, found->second};
            request.answered(result);
        }
    }
    // The lookups under way have waited past the bound.
    void Patience() {
        for (auto& request : lookups_) request.answered(LookupResult{Answer::StillWaiting, {}});
    }
    std::size_t Waiting() const { return lookups_.size() + stores_.size(); }

    bool available = true;
    std::map<std::string, std::string> secrets;
    std::vector<std::string> calls;

private:
    struct LookupRequest {
        std::string account;
        std::function<void(const LookupResult&)> answered;
    };
    struct StoreRequest {
        std::string account;
        std::string secret;
        std::function<void(bool)> stored;
    };
    std::deque<LookupRequest> lookups_;
    std::deque<StoreRequest> stores_;
};

}  // namespace velora::fakes
