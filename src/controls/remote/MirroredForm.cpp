#include "controls/remote/MirroredForm.h"

#include "controls/Form.h"
#include "controls/WebBrowser.h"
#include "controls/peers/FlagGuard.h"
#include "controls/remote/RemoteFormWindow.h"
#include "controls/remote/RemoteProperties.h"
#include "text/Numbers.h"

namespace velora::controls {

MirroredForm::MirroredForm(TForm& form, TWebBrowser& browser, Sender send)
    : form_(form), browser_(browser), send_(std::move(send)) {
    form_.OnClose = [this](component::TComponent*, TCloseAction& action) {
        action = caNone;
        send_({"close"});
    };
    browser_.OnZoomChange = [this](component::TComponent*) {
        if (!applyingZoom_) send_({"zoom", std::to_string(browser_.Zoom())});
    };
}

void MirroredForm::StandIn(component::ControlPeer& shown) {
    shown_ = &shown;
    form_.SetPeer(this);
}

void MirroredForm::MessageArrived(const RemoteFields& fields) {
    const std::string& verb = fields.front();
    if (verb == "set") {
        incoming_.Apply(fields, form_, browser_);
    } else if (verb == "navigate" && fields.size() == 2) {
        browser_.Navigate(fields[1]);
    } else if (verb == "zoom" && fields.size() == 2) {
        if (const auto percent = text::ParseInt32(fields[1])) {
            const FlagGuard guard(applyingZoom_);
            browser_.SetZoom(*percent);
        }
    } else if (verb == "front" && fields.size() == 1) {
        form_.BringToFront();
    }
}

void MirroredForm::PageStateChanged() {
    send_({"location", browser_.LocationURL(), browser_.Busy() ? "1" : "0"});
}

void MirroredForm::PropertyChanged(component::TComponent& component, std::string_view property) {
    if (shown_) shown_->PropertyChanged(component, property);
    const bool fromOtherSide = incoming_.IsBeingApplied(component, property);
    if (&component == &form_ && IsChangedInWindow(property) && !fromOtherSide)
        send_(ValueLine(form_, kRemoteForm, property));
}

void MirroredForm::BringToFront(TForm& form) {
    if (shown_) shown_->BringToFront(form);
}

void MirroredForm::RunModal(TForm& form) {
    if (shown_) shown_->RunModal(form);
}

void MirroredForm::HandleError(std::exception_ptr error) {
    if (!shown_) std::rethrow_exception(error);
    shown_->HandleError(error);
}

}  // namespace velora::controls
