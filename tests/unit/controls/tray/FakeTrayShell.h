#pragma once
// A TrayShell that does nothing but write each call into a log, and a peer
// that hands the tray's changes to its logic as the form's window does.

#include <string>
#include <vector>

#include "controls/tray/TrayIconLogic.h"
#include "component/ControlPeer.h"
#include "controls/Menus.h"

namespace velora::controls::testing {

class FakeTrayShell : public TrayShell {
public:
    bool NotifyIcon(TrayOperation operation, unsigned flags, const TrayRecord& record) override {
        static const char* const names[] = {"add", "modify", "delete"};
        std::string entry = std::string(names[static_cast<int>(operation)]) + " " + std::to_string(flags);
        if (flags & kTrayFlagTip) entry += " tip=" + record.tip;
        if (flags & kTrayFlagIcon) entry += " image=" + ImageText(record.image);
        log.push_back(entry);
        return operation != TrayOperation::Add || addSucceeds;
    }
    bool SetIconVersion(const TrayRecord& record) override {
        log.push_back("setversion " + std::to_string(record.version));
        return true;
    }
    ShellVersion Version() const override { return version; }
    void StartTimer(int timer, unsigned intervalMs) override {
        log.push_back("start " + std::to_string(timer) + " " + std::to_string(intervalMs));
    }
    void StopTimer(int timer) override { log.push_back("stop " + std::to_string(timer)); }
    unsigned DoubleClickTime() const override { return 500; }
    TrayPoint CursorPosition() const override { return cursor; }
    component::TShiftState ShiftState() const override { return shift; }
    void MakeHiddenWindowForeground() override { log.push_back("foreground"); }
    TMenuItem* TrackPopupMenu(TPopupMenu& menu, TrayPoint at) override {
        log.push_back("menu " + menu.Name() + " at " + std::to_string(at.x) + "," + std::to_string(at.y));
        return choose;
    }
    void PostNullMessage() override { log.push_back("null"); }
    void InstallApplicationHook() override { log.push_back("hook"); }
    void RemoveApplicationHook() override { log.push_back("unhook"); }
    void HideApplicationWindow() override { log.push_back("hide application"); }
    bool ApplicationMinimized() const override { return false; }
    void MinimizeApplication() override { log.push_back("minimize application"); }
    void AnimateMainWindowToTray() override { log.push_back("animate"); }
    void RegisterServiceProcess() override { log.push_back("service process"); }

    static std::string ImageText(const TrayImage& image) {
        switch (image.source) {
            case TrayImageSource::ImageListEntry: return "list" + std::to_string(image.index);
            case TrayImageSource::Icon: return "icon";
            default: return "application";
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
    ShellVersion version{6, 0};
    TrayPoint cursor{100, 200};
    component::TShiftState shift;
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
