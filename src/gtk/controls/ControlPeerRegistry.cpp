#include "platform/gtk/controls/ControlPeerRegistry.h"

#include "component/ClassInfo.h"
#include "platform/gtk/browser/GtkWebBrowserPeer.h"
#include "platform/gtk/controls/GtkButtonPeer.h"
#include "platform/gtk/controls/GtkComboBoxPeer.h"
#include "platform/gtk/controls/GtkEditPeer.h"
#include "platform/gtk/controls/GtkFramePeers.h"
#include "platform/gtk/controls/GtkLabelPeer.h"
#include "platform/gtk/controls/GtkLinkLabelPeer.h"
#include "platform/gtk/controls/GtkMemoPeer.h"
#include "platform/gtk/controls/GtkProgressBarPeer.h"
#include "platform/gtk/controls/GtkRadioGroupPeer.h"
#include "platform/gtk/tray/SniTrayIconPeer.h"
#include "ui/controls/Button.h"
#include "ui/controls/CheckBox.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/Edit.h"
#include "ui/controls/GroupBox.h"
#include "ui/controls/Label.h"
#include "ui/controls/linklabel/LinkLabel.h"
#include "ui/controls/Memo.h"
#include "ui/controls/Panel.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/RadioGroup.h"
#include "ui/controls/TrayIcon.h"
#include "ui/controls/WebBrowser.h"

namespace velora::gtk {

namespace {

// The built-in kinds: one line per model class. A popup menu has no peer of
// its own: the tray icon that shows it builds it from the model.
void RegisterBuiltInKinds(ControlPeerRegistry& registry) {
    registry.Register("TLabel", PeerFactory<GtkLabelPeer, ui::TLabel>());
    registry.Register("TButton", PeerFactory<GtkButtonPeer, ui::TButton>());
    registry.Register("TCheckBox", PeerFactory<GtkCheckBoxPeer, ui::TCheckBox>());
    registry.Register("TEdit", PeerFactory<GtkEditPeer, ui::TEdit>());
    registry.Register("TComboBox", PeerFactory<GtkComboBoxPeer, ui::TComboBox>());
    registry.Register("TGroupBox", PeerFactory<GtkGroupBoxPeer, ui::TGroupBox>());
    registry.Register("TRadioGroup", PeerFactory<GtkRadioGroupPeer, ui::TRadioGroup>());
    registry.Register("TMemo", PeerFactory<GtkMemoPeer, ui::TMemo>());
    registry.Register("TProgressBar", PeerFactory<GtkProgressBarPeer, ui::TProgressBar>());
    registry.Register("TPanel", PeerFactory<GtkPanelPeer, ui::TPanel>());
    registry.Register("TLinkLabel", PeerFactory<GtkLinkLabelPeer, ui::TLinkLabel>());
    registry.Register("TTrayIcon", PeerFactory<SniTrayIconPeer, ui::TTrayIcon>());
    registry.Register("TWebBrowser", PeerFactory<GtkWebBrowserPeer, ui::TWebBrowser>());
}

}  // namespace

const ControlPeerRegistry& ControlPeerRegistry::BuiltIn() {
    static const ControlPeerRegistry registry = [] {
        ControlPeerRegistry built;
        RegisterBuiltInKinds(built);
        return built;
    }();
    return registry;
}

void ControlPeerRegistry::Register(std::string className, ControlPeerFactory factory) {
    factories_[std::move(className)] = std::move(factory);
}

const ControlPeerFactory* ControlPeerRegistry::Find(const ui::TComponent& component) const {
    for (const ui::ClassInfo* info = &component.Class(); info != nullptr; info = info->Parent()) {
        const auto found = factories_.find(info->Name());
        if (found != factories_.end()) return &found->second;
    }
    return nullptr;
}

std::unique_ptr<GtkControlPeer> ControlPeerRegistry::Create(ui::TComponent& component,
                                                            GtkPeerContext& context) const {
    const ControlPeerFactory* factory = Find(component);
    return factory ? (*factory)(component, context) : nullptr;
}

}  // namespace velora::gtk
