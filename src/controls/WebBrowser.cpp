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
    if (backend_) backend_->SetZoom(zoom_);
    if (backend_ && navigationPending_) {
        navigationPending_ = false;
        backend_->Navigate(locationUrl_);
    }
}

void TWebBrowser::SetZoom(int percent) {
    zoom_ = ClampZoom(percent);
    if (backend_) backend_->SetZoom(zoom_);
}

void TWebBrowser::ChangeZoom(ZoomChange change) {
    if (change == ZoomChange::None) return;
    const int zoom = ChangedZoom(zoom_, change);
    if (zoom == zoom_) return;
    SetZoom(zoom);
    if (OnZoomChange) OnZoomChange(this);
}

std::string TWebBrowser::LocationURL() const { return backend_ ? backend_->LocationUrl() : locationUrl_; }

bool TWebBrowser::Busy() const { return backend_ && backend_->Busy(); }

}  // namespace velora::controls
