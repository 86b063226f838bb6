#include "app/InstanceHandOver.h"

namespace velora::app {

std::function<void()>& OnSecondInstance() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace velora::app
