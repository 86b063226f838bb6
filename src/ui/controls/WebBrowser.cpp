#include "ui/controls/WebBrowser.h"

#include "platform/WebBrowser.h"

namespace velora::ui {

const ClassInfo& TWebBrowser::StaticClass() {
    static const ClassInfo info{"TWebBrowser", &TWinControl::StaticClass(), {}};
    return info;
}

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    InitSize(300, 150);
    InitTabStop(true);
}

void TWebBrowser::Navigate(const std::string& url) {
    locationUrl_ = url;
    if (backend_) backend_->Navigate(url);
}

std::string TWebBrowser::LocationURL() const { return backend_ ? backend_->LocationUrl() : locationUrl_; }

bool TWebBrowser::Busy() const { return backend_ && backend_->Busy(); }

}  // namespace velora::ui
