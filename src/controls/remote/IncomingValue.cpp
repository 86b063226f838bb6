#include "controls/remote/IncomingValue.h"

#include "controls/Form.h"
#include "controls/WebBrowser.h"
#include "controls/remote/RemoteFormWindow.h"
#include "controls/remote/RemoteProperties.h"

namespace velora::controls {

void IncomingValue::Apply(const RemoteFields& fields, TForm& form, TWebBrowser& browser) {
    if (fields.size() != 4) return;
    component::TComponent* target = nullptr;
    if (fields[1] == kRemoteForm) target = &form;
    if (fields[1] == kRemoteBrowser) target = &browser;
    if (target == nullptr) return;
    component_ = target;
    property_ = fields[2];
    struct Done {
        IncomingValue& value;
        ~Done() { value.component_ = nullptr; }
    } done{*this};
    ApplyMirroredValue(*target, fields[2], fields[3]);
}

}  // namespace velora::controls
