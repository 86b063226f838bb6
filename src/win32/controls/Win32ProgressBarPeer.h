#pragma once
// A progress bar: the common control PROGRESS_CLASS with the model's range
// and position.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TProgressBar;
}  // namespace velora::controls

namespace velora::win32 {

class Win32ProgressBarPeer : public Win32WindowPeer {
public:
    Win32ProgressBarPeer(controls::TProgressBar& progressBar, const Win32PeerContext& context);

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override {}

private:
    void ApplyRange();

    controls::TProgressBar& progressBar_;
};

}  // namespace velora::win32
