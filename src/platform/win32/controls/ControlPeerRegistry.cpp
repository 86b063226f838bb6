#include "platform/win32/controls/ControlPeerRegistry.h"

#include "platform/win32/controls/Win32ButtonPeer.h"
#include "platform/win32/controls/Win32ComboBoxPeer.h"
#include "platform/win32/controls/Win32EditPeer.h"
#include "platform/win32/controls/Win32GroupBoxPeer.h"
#include "platform/win32/controls/Win32LabelPeer.h"
#include "platform/win32/controls/Win32MemoPeer.h"
#include "platform/win32/controls/Win32MenuPeer.h"
#include "platform/win32/controls/Win32PanelPeer.h"
#include "platform/win32/controls/Win32ProgressBarPeer.h"
#include "platform/win32/controls/Win32RadioGroupPeer.h"
#include "platform/win32/controls/Win32LinkLabelPeer.h"
#include "platform/win32/Win32TrayIcon.h"
#include "platform/win32/browser/Win32WebBrowserPeer.h"
#include "ui/controls/Button.h"
#include "ui/controls/CheckBox.h"
#include "component/ClassInfo.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/Edit.h"
#include "ui/controls/GroupBox.h"
#include "ui/controls/Label.h"
#include "ui/controls/Memo.h"
#include "ui/controls/Menus.h"
#include "ui/controls/Panel.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/RadioGroup.h"

namespace velora::win32 {

namespace {

// The built-in kinds: one line per model class.
void RegisterBuiltInKinds(ControlPeerRegistry& registry) {
    registry.Register("TLabel", PeerFactory<Win32LabelPeer, ui::TLabel>());
    registry.Register("TButton", PeerFactory<Win32ButtonPeer, ui::TButton>());
    registry.Register("TCheckBox", PeerFactory<Win32CheckBoxPeer, ui::TCheckBox>());
    registry.Register("TEdit", PeerFactory<Win32EditPeer, ui::TEdit>());
    registry.Register("TComboBox", PeerFactory<Win32ComboBoxPeer, ui::TComboBox>());
    registry.Register("TGroupBox", PeerFactory<Win32GroupBoxPeer, ui::TGroupBox>());
    registry.Register("TRadioGroup", PeerFactory<Win32RadioGroupPeer, ui::TRadioGroup>());
    registry.Register("TMemo", PeerFactory<Win32MemoPeer, ui::TMemo>());
    registry.Register("TProgressBar", PeerFactory<Win32ProgressBarPeer, ui::TProgressBar>());
    registry.Register("TPanel", PeerFactory<Win32PanelPeer, ui::TPanel>());
    registry.Register("TPopupMenu", PeerFactory<Win32MenuPeer, ui::TPopupMenu>());
    registry.Register("TLinkLabel", CreateLinkLabelPeer);
    registry.Register("TTrayIcon", CreateTrayIconPeer);
    registry.Register("TWebBrowser", CreateWebBrowserPeer);
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

std::unique_ptr<Win32ControlPeer> ControlPeerRegistry::Create(ui::TComponent& component,
                                                              Win32PeerContext& context) const {
    const ControlPeerFactory* factory = Find(component);
    return factory ? (*factory)(component, context) : nullptr;
}

}  // namespace velora::win32
