#pragma once
// A progress bar: the common control PROGRESS_CLASS with the model's range
// and position.

#include "platform/win32/controls/Win32WindowPeer.h"

namespace velora::ui {
class TProgressBar;
}

namespace velora::win32 {

class Win32ProgressBarPeer : public Win32WindowPeer {
public:
    Win32ProgressBarPeer(ui::TProgressBar& progressBar, const Win32PeerContext& context);

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override {}

private:
    void ApplyRange();

    ui::TProgressBar& progressBar_;
};

}  // namespace velora::win32
