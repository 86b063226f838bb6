#include "win32/controls/Win32ProgressBarPeer.h"

#include <commctrl.h>

#include "controls/ProgressBar.h"

namespace velora::win32 {

Win32ProgressBarPeer::Win32ProgressBarPeer(controls::TProgressBar& progressBar, const Win32PeerContext& context)
    : Win32WindowPeer(progressBar, context), progressBar_(progressBar) {
    CreateWindowNow();
}

void Win32ProgressBarPeer::Build() {
    window_.Reset(CreateChild(PROGRESS_CLASSW, "", WS_GROUP, 0, false));
    ApplyRange();
}

void Win32ProgressBarPeer::ApplyRange() {
    // PBM_SETRANGE32 takes the full 32-bit range (PBM_SETRANGE only 16 bits).
    SendMessageW(window_.Get(), PBM_SETRANGE32, static_cast<WPARAM>(progressBar_.Min()),
                 static_cast<LPARAM>(progressBar_.Max()));
    SendMessageW(window_.Get(), PBM_SETPOS, static_cast<WPARAM>(progressBar_.Position()), 0);
}

bool Win32ProgressBarPeer::OwnPropertyChanged(std::string_view property) {
    if (property != "Min" && property != "Max" && property != "Position") return false;
    ApplyRange();
    return true;
}

}  // namespace velora::win32
