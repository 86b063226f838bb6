#pragma once
// A memo: a multi-line edit showing the model's Lines, one per line. A
// read-only memo keeps the window background like a plain edit.

#include "win32/controls/Win32WindowPeer.h"

namespace velora::controls {
class TMemo;
}  // namespace velora::controls

namespace velora::win32 {

class Win32MemoPeer : public Win32WindowPeer {
public:
    Win32MemoPeer(controls::TMemo& memo, const Win32PeerContext& context);

    bool HandleCommand(HWND child, WORD notifyCode) override;
    HBRUSH HandleControlColor(HWND child, HDC dc) override;

protected:
    void Build() override;
    bool OwnPropertyChanged(std::string_view property) override;
    void ApplyCaption() override {}

private:
    // The lines joined by CR LF, without a break after the last one (which
    // would show an empty line more).
    std::string JoinedLines() const;

    controls::TMemo& memo_;
};

}  // namespace velora::win32
