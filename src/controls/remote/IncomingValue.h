#pragma once
// A value the other side's "set" line brings, written to this side's form
// or browser. While it is written, the change the side hears of is the
// other side's own: it is not sent back.

#include <string>
#include <string_view>

#include "controls/remote/RemoteLines.h"

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::controls {

class TForm;
class TWebBrowser;

class IncomingValue {
public:
    // "set", the target ("form" or "browser"), the property and the value;
    // a line naming another target, property or a value that does not fit
    // writes nothing.
    void Apply(const RemoteFields& fields, TForm& form, TWebBrowser& browser);
    // The change is the one being written now.
    bool IsBeingApplied(const component::TComponent& component, std::string_view property) const {
        return component_ == &component && property_ == property;
    }

private:
    const component::TComponent* component_ = nullptr;
    std::string property_;
};

}  // namespace velora::controls
