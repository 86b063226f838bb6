#pragma once
// One running program per user session, through GApplication's uniqueness on
// the session bus: the first process owns the name "com.velora.Desktop"; a
// later one calls the first one's Activate and waits until it has been
// handled (the running program opens the send page), then ends. Without a
// session bus every process runs on its own.

#include "gtk/raii/ObjectRef.h"

typedef struct _GApplication GApplication;

namespace velora::gtk {

enum class InstanceCheck {
    GoOn,        // this process is the running program
    HandedOver,  // another process runs and has taken the hand-over: end now
};

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Before any window exists; needs no display.
    InstanceCheck Check();

private:
    ObjectRef<GApplication> application_;
};

inline constexpr const char* kApplicationId = "com.velora.Desktop";

}  // namespace velora::gtk
