#pragma once
// Sets a flag for the lifetime of the guard and puts the old value back: a
// peer writing the user's input into the model marks the change it then
// hears of as its own.

namespace velora::controls {

class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = old_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace velora::controls
