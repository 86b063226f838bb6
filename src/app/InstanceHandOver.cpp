#include "app/InstanceHandOver.h"

namespace velora::app {

namespace {
struct HandOverState {
    std::function<void()> hook;
    bool welcome = false;
    int pending = 0;  // hand-overs that came before the forms were complete
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
        ++state.pending;
        return;
    }
    ActOnHandOver();
}

void SecondInstancesWelcome(bool welcome) {
    auto& state = State();
    state.welcome = welcome;
    // One by one, as they would have been acted on when they came; one that
    // arrives while a hook runs (a message box it shows lets the system
    // deliver it) is acted on at once.
    while (state.welcome && state.pending > 0) {
        --state.pending;
        ActOnHandOver();
    }
    if (!welcome) state.pending = 0;
}

}  // namespace velora::app
