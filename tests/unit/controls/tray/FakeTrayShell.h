#pragma once
// A TrayShell that does nothing but write each call into a log, and a peer
// that hands the tray's changes to its logic as the form's window does.

#include <string>
#include <vector>

#include "component/ControlPeer.h"
#include "controls/Menus.h"
#include "controls/tray/TrayIconLogic.h"

namespace velora::controls::testing {

class FakeTrayShell : public TrayShell {
public:
    bool AddIcon(const TrayRecord& record) override {
        log.push_back("add tip=" + record.tip + " image=" + ImageText(record.image));
        return addSucceeds;
    }
    void ShowImage(const TrayRecord& record) override { log.push_back("image=" + ImageText(record.image)); }
    void ShowTip(const TrayRecord& record) override { log.push_back("tip=" + record.tip); }
    void RemoveIcon() override { log.push_back("remove"); }
    TrayTipRules TipRules() const override { return tipRules; }
    void StartTimer(TrayTimer timer, unsigned intervalMs) override {
        log.push_back("start " + TimerText(timer) + " " + std::to_string(intervalMs));
    }
    void StopTimer(TrayTimer timer) override { log.push_back("stop " + TimerText(timer)); }
    unsigned DoubleClickTime() const override { return 500; }
    TMenuItem* ShowMenu(TPopupMenu& menu, TrayPoint at) override {
        log.push_back("menu " + menu.Name() + " at " + std::to_string(at.x) + "," + std::to_string(at.y));
        return choose;
    }

    static std::string ImageText(const TrayImage& image) {
        switch (image.source) {
            case TrayImageSource::ImageListEntry: return "list" + std::to_string(image.index);
            case TrayImageSource::Icon: return "icon";
            default: return "application";
        }
    }
    static std::string TimerText(TrayTimer timer) {
        switch (timer) {
            case TrayTimer::Animation: return "animation";
            case TrayTimer::Balloon: return "balloon";
            default: return "click";
        }
    }
    // Entries containing `text`.
    int Count(const std::string& text) const {
        int n = 0;
        for (const auto& entry : log)
            if (entry.find(text) != std::string::npos) ++n;
        return n;
    }

    std::vector<std::string> log;
    TrayTipRules tipRules;
    TMenuItem* choose = nullptr;
    bool addSucceeds = true;
};

// Hands the tray's changes to the logic, as the form's window does for its
// tray peer.
class ForwardingPeer : public component::ControlPeer {
public:
    void PropertyChanged(component::TComponent& component, std::string_view property) override {
        if (logic != nullptr && &component == tray) logic->PropertyChanged(property);
    }
    const component::TComponent* tray = nullptr;
    TrayIconLogic* logic = nullptr;
};

}  // namespace velora::controls::testing
