#pragma once
// What the tray icon needs of the system: an icon in the notification area
// with an image and a tip, timers, and a popup menu. The rules of when to do
// what are in TrayIconLogic; each system's peer does the calls.

#include <cstddef>
#include <string>

#include "controls/TrayIcon.h"
#include "controls/tray/TrayEvents.h"

namespace velora::controls {

// Which image the icon shows.
enum class TrayImageSource { ImageListEntry, Icon, ApplicationIcon };
struct TrayImage {
    TrayImageSource source = TrayImageSource::ApplicationIcon;
    int index = 0;  // the image-list entry, for ImageListEntry
    TIcon icon;     // for Icon
    bool operator==(const TrayImage&) const = default;
};

// What the system is shown of the icon.
struct TrayRecord {
    TrayImage image;
    std::string tip;
};

// How the system shows a tip: the characters it holds, and whether it shows
// one line only (a line break then becomes " - ").
struct TrayTipRules {
    std::size_t maxLength = 127;
    bool singleLine = false;
    bool operator==(const TrayTipRules&) const = default;
};

// The icon's timers; on Windows the values are the timer ids of the hidden
// window.
enum class TrayTimer { Animation = 1, Balloon = 2, Click = 3 };

class TrayShell {
public:
    virtual ~TrayShell() = default;

    // Puts the icon in the notification area; false when the system refuses
    // (an icon that is still there).
    virtual bool AddIcon(const TrayRecord& record) = 0;
    // The added icon shows the record's image, or its tip.
    virtual void ShowImage(const TrayRecord& record) = 0;
    virtual void ShowTip(const TrayRecord& record) = 0;
    virtual void RemoveIcon() = 0;
    virtual TrayTipRules TipRules() const = 0;

    // Starting a running timer restarts it.
    virtual void StartTimer(TrayTimer timer, unsigned intervalMs) = 0;
    virtual void StopTimer(TrayTimer timer) = 0;
    virtual unsigned DoubleClickTime() const = 0;

    // Shows the menu at `at` until it closes; the entry the user chose, if
    // any. Its click is the caller's business.
    virtual TMenuItem* ShowMenu(TPopupMenu& menu, TrayPoint at) = 0;
};

}  // namespace velora::controls
