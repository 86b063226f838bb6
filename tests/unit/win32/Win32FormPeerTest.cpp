// The Windows form peer keeps the promises of both sides' form peers,
// checked on the child windows' own styles. Windows only (run under Wine in
// the cross build).
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include "controls/peers/FormPeerContract.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"

namespace velora::controls::testing {
namespace {

struct Win32FormPeers {
    struct Host {
        win32::Win32Application application{GetModuleHandleW(nullptr)};
    };
    struct FormPeer : win32::Win32FormPeer {
        FormPeer(TForm& form, Host& host) : win32::Win32FormPeer(form, host.application) {}
    };

    static HWND Window(const FormPeer& peer, const component::TComponent& component) {
        const win32::Win32ControlPeer* child = peer.PeerOf(component);
        return child ? child->Handle() : nullptr;
    }
    static bool HasNativeSide(const FormPeer& peer, const component::TComponent& component) {
        return Window(peer, component) != nullptr;
    }
    static bool Shown(const FormPeer& peer, const component::TComponent& component) {
        return (GetWindowLongPtrW(Window(peer, component), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    static bool Enabled(const FormPeer& peer, const component::TComponent& component) {
        return IsWindowEnabled(Window(peer, component)) != FALSE;
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FormPeerContract, Win32FormPeers);

}  // namespace velora::controls::testing

#endif  // _WIN32
