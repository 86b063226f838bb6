#include "gtk/controls/ControlPeerRegistry.h"

#include "gtk/browser/GtkWebBrowserPeer.h"
#include "gtk/controls/GtkButtonPeer.h"
#include "gtk/controls/GtkComboBoxPeer.h"
#include "gtk/controls/GtkEditPeer.h"
#include "gtk/controls/GtkFramePeers.h"
#include "gtk/controls/GtkLabelPeer.h"
#include "gtk/controls/GtkLinkLabelPeer.h"
#include "gtk/controls/GtkMemoPeer.h"
#include "gtk/controls/GtkProgressBarPeer.h"
#include "gtk/controls/GtkRadioGroupPeer.h"
#include "gtk/tray/SniTrayIconPeer.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/Memo.h"
#include "controls/Panel.h"
#include "controls/ProgressBar.h"
#include "controls/RadioGroup.h"
#include "controls/TrayIcon.h"
#include "controls/WebBrowser.h"

namespace velora::gtk {

namespace {

template <class Peer, class Model>
ControlPeerFactory PeerFactory() {
    return ControlPeerRegistry::FactoryOf<Peer, Model>();
}

// The built-in kinds: one line per model class. A popup menu has no peer of
// its own: the tray icon that shows it builds it from the model.
ControlPeerRegistry BuiltInKinds() {
    ControlPeerRegistry registry;
    registry.Register("TLabel", PeerFactory<GtkLabelPeer, controls::TLabel>());
    registry.Register("TButton", PeerFactory<GtkButtonPeer, controls::TButton>());
    registry.Register("TCheckBox", PeerFactory<GtkCheckBoxPeer, controls::TCheckBox>());
    registry.Register("TEdit", PeerFactory<GtkEditPeer, controls::TEdit>());
    registry.Register("TComboBox", PeerFactory<GtkComboBoxPeer, controls::TComboBox>());
    registry.Register("TGroupBox", PeerFactory<GtkGroupBoxPeer, controls::TGroupBox>());
    registry.Register("TRadioGroup", PeerFactory<GtkRadioGroupPeer, controls::TRadioGroup>());
    registry.Register("TMemo", PeerFactory<GtkMemoPeer, controls::TMemo>());
    registry.Register("TProgressBar", PeerFactory<GtkProgressBarPeer, controls::TProgressBar>());
    registry.Register("TPanel", PeerFactory<GtkPanelPeer, controls::TPanel>());
    registry.Register("TLinkLabel", PeerFactory<GtkLinkLabelPeer, controls::TLinkLabel>());
    registry.Register("TTrayIcon", PeerFactory<SniTrayIconPeer, controls::TTrayIcon>());
    registry.Register("TWebBrowser", PeerFactory<GtkWebBrowserPeer, controls::TWebBrowser>());
    return registry;
}

}  // namespace

const ControlPeerRegistry& BuiltInPeers() {
    static const ControlPeerRegistry registry = BuiltInKinds();
    return registry;
}

}  // namespace velora::gtk
