#include "win32/controls/ControlPeerRegistry.h"

#include "win32/controls/CommonControls.h"
#include "win32/controls/Win32ButtonPeer.h"
#include "win32/controls/Win32ComboBoxPeer.h"
#include "win32/controls/Win32EditPeer.h"
#include "win32/controls/Win32GroupBoxPeer.h"
#include "win32/controls/Win32LabelPeer.h"
#include "win32/controls/Win32MemoPeer.h"
#include "win32/controls/Win32MenuPeer.h"
#include "win32/controls/Win32PanelPeer.h"
#include "win32/controls/Win32ProgressBarPeer.h"
#include "win32/controls/Win32RadioGroupPeer.h"
#include "win32/controls/Win32LinkLabelPeer.h"
#include "win32/Win32TrayIcon.h"
#include "win32/browser/Win32WebBrowserPeer.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/Memo.h"
#include "controls/Menus.h"
#include "controls/Panel.h"
#include "controls/ProgressBar.h"
#include "controls/RadioGroup.h"

namespace velora::win32 {

namespace {

// The system's own controls: the common controls library comes with the
// first of them.
template <class Peer, class Model>
ControlPeerFactory SystemControl() {
    return [](component::TComponent& component, Win32PeerContext& context) -> std::unique_ptr<Win32ControlPeer> {
        UseCommonControls();
        return PeerFactory<Peer, Model>()(component, context);
    };
}

// The built-in kinds: one line per model class.
ControlPeerRegistry BuiltInKinds() {
    ControlPeerRegistry registry;
    registry.Register("TLabel", SystemControl<Win32LabelPeer, controls::TLabel>());
    registry.Register("TButton", SystemControl<Win32ButtonPeer, controls::TButton>());
    registry.Register("TCheckBox", SystemControl<Win32CheckBoxPeer, controls::TCheckBox>());
    registry.Register("TEdit", SystemControl<Win32EditPeer, controls::TEdit>());
    registry.Register("TComboBox", SystemControl<Win32ComboBoxPeer, controls::TComboBox>());
    registry.Register("TGroupBox", SystemControl<Win32GroupBoxPeer, controls::TGroupBox>());
    registry.Register("TRadioGroup", SystemControl<Win32RadioGroupPeer, controls::TRadioGroup>());
    registry.Register("TMemo", SystemControl<Win32MemoPeer, controls::TMemo>());
    registry.Register("TProgressBar", SystemControl<Win32ProgressBarPeer, controls::TProgressBar>());
    registry.Register("TPanel", SystemControl<Win32PanelPeer, controls::TPanel>());
    registry.Register("TPopupMenu", PeerFactory<Win32MenuPeer, controls::TPopupMenu>());
    registry.Register("TLinkLabel", CreateLinkLabelPeer);
    registry.Register("TTrayIcon", CreateTrayIconPeer);
    registry.Register("TWebBrowser", CreateWebBrowserPeer);
    return registry;
}

}  // namespace

const ControlPeerRegistry& BuiltInPeers() {
    static const ControlPeerRegistry registry = BuiltInKinds();
    return registry;
}

}  // namespace velora::win32
