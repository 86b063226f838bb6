#pragma once
// The window of a form that lives in another process (RemoteFormWindow.h
// there): a form and a browser of this process take the values the other
// side sends, and what the user does here goes back instead of acting
// here: closing asks the other side's form to close, a zoom key or the
// wheel zooms there (and the zoom comes back), and a moved window or one
// shown by a notification's click tells its place or visibility. The page's
// address and loading state go there as they change.
//
// It stands in as the form's peer and hands every change on to the side's
// own form peer, which shows it.

#include <functional>
#include <string_view>

#include "component/ControlPeer.h"
#include "controls/remote/IncomingValue.h"
#include "controls/remote/RemoteLines.h"

namespace velora::component {
class TComponent;
}  // namespace velora::component

namespace velora::controls {

class TForm;
class TWebBrowser;

class MirroredForm final : public component::ControlPeer {
public:
    using Sender = std::function<void(const RemoteFields&)>;

    MirroredForm(TForm& form, TWebBrowser& browser, Sender send);
    MirroredForm(const MirroredForm&) = delete;
    MirroredForm& operator=(const MirroredForm&) = delete;

    // Takes the place of the form's peer `shown` (which the form has now)
    // and hands it every change.
    void StandIn(component::ControlPeer& shown);

    // A line of the other side.
    void MessageArrived(const RemoteFields& fields);
    // The browser's page or its loading state changed.
    void PageStateChanged();

    void PropertyChanged(component::TComponent& component, std::string_view property) override;
    void BringToFront(TForm& form) override;
    void RunModal(TForm& form) override;
    void HandleError(std::exception_ptr error) override;

private:
    TForm& form_;
    TWebBrowser& browser_;
    Sender send_;
    component::ControlPeer* shown_ = nullptr;
    IncomingValue incoming_;
    bool applyingZoom_ = false;
};

}  // namespace velora::controls
