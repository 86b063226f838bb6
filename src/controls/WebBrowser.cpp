#include "controls/WebBrowser.h"

#include "platform/WebBrowser.h"

namespace velora::controls {

const component::ClassInfo& TWebBrowser::StaticClass() {
    static const component::ClassInfo info{"TWebBrowser", &TWinControl::StaticClass(), {}};
    return info;
}

TWebBrowser::TWebBrowser(component::TComponent* owner) : TWinControl(owner) {
    InitSize(300, 150);
    InitTabStop(true);
}

void TWebBrowser::Navigate(const std::string& url) {
    locationUrl_ = url;
    navigationPending_ = backend_ == nullptr;
    if (backend_) backend_->Navigate(url);
}

void TWebBrowser::SetBackend(platform::WebBrowser* backend) {
    backend_ = backend;
    if (backend_ && navigationPending_) {
        navigationPending_ = false;
        backend_->Navigate(locationUrl_);
    }
}

std::string TWebBrowser::LocationURL() const { return backend_ ? backend_->LocationUrl() : locationUrl_; }

bool TWebBrowser::Busy() const { return backend_ && backend_->Busy(); }

}  // namespace velora::controls
