#include "app/InstanceHandOver.h"

namespace velora::app {

namespace {
struct HandOverState {
    std::function<void()> hook;
    bool welcome = false;
    bool pending = false;
};

HandOverState& State() {
    static HandOverState state;
    return state;
}

void ActOnHandOver() {
    // A copy: the hook may replace itself while it runs.
    if (const auto hook = State().hook) hook();
}
}  // namespace

std::function<void()>& OnSecondInstance() { return State().hook; }

void ReceiveSecondInstance() {
    auto& state = State();
    if (!state.welcome) {
        state.pending = true;
        return;
    }
    ActOnHandOver();
}

void SecondInstancesWelcome(bool welcome) {
    auto& state = State();
    state.welcome = welcome;
    const bool pending = state.pending;
    state.pending = false;
    if (welcome && pending) ActOnHandOver();
}

}  // namespace velora::app
