#include "platform/win32/controls/ControlPeerRegistry.h"

#include "platform/win32/controls/CommonControls.h"
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

// The system's own controls: the common controls library comes with the
// first of them.
template <class Peer, class Model>
ControlPeerFactory SystemControl() {
    return [](ui::TComponent& component, Win32PeerContext& context) -> std::unique_ptr<Win32ControlPeer> {
        UseCommonControls();
        return PeerFactory<Peer, Model>()(component, context);
    };
}

// The built-in kinds: one line per model class.
void RegisterBuiltInKinds(ControlPeerRegistry& registry) {
    registry.Register("TLabel", SystemControl<Win32LabelPeer, ui::TLabel>());
    registry.Register("TButton", SystemControl<Win32ButtonPeer, ui::TButton>());
    registry.Register("TCheckBox", SystemControl<Win32CheckBoxPeer, ui::TCheckBox>());
    registry.Register("TEdit", SystemControl<Win32EditPeer, ui::TEdit>());
    registry.Register("TComboBox", SystemControl<Win32ComboBoxPeer, ui::TComboBox>());
    registry.Register("TGroupBox", SystemControl<Win32GroupBoxPeer, ui::TGroupBox>());
    registry.Register("TRadioGroup", SystemControl<Win32RadioGroupPeer, ui::TRadioGroup>());
    registry.Register("TMemo", SystemControl<Win32MemoPeer, ui::TMemo>());
    registry.Register("TProgressBar", SystemControl<Win32ProgressBarPeer, ui::TProgressBar>());
    registry.Register("TPanel", SystemControl<Win32PanelPeer, ui::TPanel>());
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
