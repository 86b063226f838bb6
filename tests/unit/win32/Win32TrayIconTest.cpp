// The tray icon against the real shell (under Wine on the build machine):
// the icon is added, the hidden window's messages reach the component, the
// menu is built and its entry runs, and a new taskbar gets the icon again.
#ifdef _WIN32

#include "win32/Win32Application.h"
#include "win32/Win32TrayIcon.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "support/ForeignWindowClass.h"
#include "controls/Form.h"

using namespace velora;
using namespace velora::win32;

namespace {

// Dispatches this thread's messages until `done` holds; false after 3 s.
bool PumpUntil(const std::function<bool()>& done) {
    const ULONGLONG until = GetTickCount64() + 3000;
    while (!done()) {
        if (GetTickCount64() > until) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD milliseconds) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    PumpUntil([&] { return GetTickCount64() > until; });
}

HWND OpenMenuWindow() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// Stands in for the user at every popup menu that opens: picks the first
// entry with the keyboard (or closes the menu with Escape).
class MenuUser {
public:
    explicit MenuUser(bool pick) : pick_(pick), thread_([this] { Run(); }) {}
    ~MenuUser() {
        stop_ = true;
        thread_.join();
    }
    int MenusSeen() const { return seen_; }

private:
    void Run() {
        while (!stop_) {
            if (HWND menu = OpenMenuWindow()) {
                ++seen_;
                if (pick_) {
                    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
                } else {
                    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                }
                while (!stop_ && OpenMenuWindow() == menu) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    bool pick_;
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::thread thread_;
};

// The main window's tray icon with its window, as the form's window builds it.
struct TrayOnForm : component::ControlPeer {
    TrayOnForm() {
        form.SetPeer(this);
        popup = component::CreateComponent<controls::TPopupMenu>(form, "popupTray");
        auto* hidden = component::CreateComponent<controls::TMenuItem>(form, "menuitemHidden");
        hidden->SetCaption("&Hidden");
        hidden->SetVisible(false);
        auto* line = component::CreateComponent<controls::TMenuItem>(form, "menuitemBreak1");
        line->SetCaption("-");
        send = component::CreateComponent<controls::TMenuItem>(form, "menuitemSend");
        send->SetCaption("&SMS senden...");
        for (controls::TMenuItem* item : {hidden, line, send}) popup->Items().Add(item);
        hidden->OnClick = [this](component::TComponent*) { clicked = "hidden"; };
        send->OnClick = [this](component::TComponent*) { clicked = OpenMenuWindow() ? "send, menu open" : "send"; };

        tray = component::CreateComponent<controls::TTrayIcon>(form, "tray");
        tray->SetActive(true);
        tray->SetAnimated(true);
        tray->SetHint("VELORA");
        tray->SetDropDownMenu(popup);
        tray->SetPopupMenu(popup);
        tray->SetVisibility({controls::tvAutoHide, controls::tvAnimateToTray});
        tray->OnDblClick = [this](component::TComponent*, component::TMouseButton button, component::TShiftState,
                                  int, int) { doubleClicks.push_back(button); };
        peer = std::make_unique<Win32TrayIconPeer>(*tray, application, nullptr);
        trayPeer = static_cast<Win32TrayIconPeer*>(peer.get());
    }
    ~TrayOnForm() override { peer.reset(); }

    void PropertyChanged(component::TComponent& component, std::string_view property) override {
        if (peer && &component == tray) peer->PropertyChanged(property);
    }
    void PostEvent(UINT event) { PostMessageW(trayPeer->MessageWindow(), kTrayCallbackMessage, 1, event); }
    bool ShellKnowsIcon() {
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V2_SIZE;
        data.hWnd = trayPeer->MessageWindow();
        data.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }

    Win32Application application{GetModuleHandleW(nullptr)};
    controls::TForm form{nullptr};
    controls::TPopupMenu* popup;
    controls::TMenuItem* send;
    controls::TTrayIcon* tray;
    std::unique_ptr<Win32ControlPeer> peer;
    Win32TrayIconPeer* trayPeer = nullptr;
    std::vector<component::TMouseButton> doubleClicks;
    std::string clicked;
};

}  // namespace

TEST(Win32TrayIcon, DoubleClickReachesTheHandlerWithoutTheMenu) {
    // A class of the same name with another window procedure is replaced.
    const fakes::ForeignWindowClass foreign(L"TTrayMessageWindow", fakes::ForeignWindowClass::Unused);
    ASSERT_TRUE(foreign.Ready(fakes::ForeignWindowClass::Unused));

    TrayOnForm main;
    EXPECT_EQ(main.peer->Handle(), nullptr);
    EXPECT_TRUE(main.trayPeer->Logic().IconAdded());
    EXPECT_TRUE(main.ShellKnowsIcon());
    EXPECT_FALSE(IsWindowVisible(main.application.Handle()));
    EXPECT_TRUE(main.trayPeer->ApplicationWindow().HiddenSinceStart());
    EXPECT_TRUE(main.trayPeer->ApplicationWindow().Watching());

    MenuUser user(false);
    for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) main.PostEvent(event);
    ASSERT_TRUE(PumpUntil([&] { return !main.doubleClicks.empty(); }));
    EXPECT_EQ(main.doubleClicks, std::vector<component::TMouseButton>{component::mbLeft});
    EXPECT_FALSE(main.trayPeer->Logic().ClickPending());
    PumpFor(GetDoubleClickTime() + 200);
    EXPECT_EQ(user.MenusSeen(), 0);
}

TEST(Win32TrayIcon, ContextMenuRunsTheChosenEntryAfterItClosed) {
    TrayOnForm main;
    MenuUser user(true);
    main.PostEvent(WM_CONTEXTMENU);
    ASSERT_TRUE(PumpUntil([&] { return !main.clicked.empty(); }));
    EXPECT_EQ(main.clicked, "send");
    EXPECT_EQ(user.MenusSeen(), 1);
}

TEST(Win32TrayIcon, NewTaskbarGetsTheIconAgain) {
    TrayOnForm main;
    // The old taskbar took the icon with it.
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = main.trayPeer->MessageWindow();
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_FALSE(main.ShellKnowsIcon());

    PostMessageW(main.trayPeer->MessageWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return main.ShellKnowsIcon(); }));
    EXPECT_TRUE(main.trayPeer->Logic().IconAdded());

    EXPECT_EQ(SendMessageW(main.trayPeer->MessageWindow(), WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageW(main.trayPeer->MessageWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(main.ShellKnowsIcon());
    SendMessageW(main.trayPeer->MessageWindow(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(main.ShellKnowsIcon());
}

TEST(Win32TrayIcon, MinimiseHidesTheApplicationToTheTrayWhileTheIconIsActive) {
    TrayOnForm main;
    const auto minimise = [&main] {
        SendMessageW(main.application.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ShowWindow(main.application.Handle(), SW_HIDE);
    };
    // Switched off, the icon leaves the application's window alone.
    main.tray->SetActive(false);
    EXPECT_FALSE(main.trayPeer->ApplicationWindow().Watching());
    EXPECT_FALSE(main.ShellKnowsIcon());
    main.tray->SetVisibility({controls::tvVisibleTaskBar, controls::tvAutoHide});
    minimise();
    EXPECT_TRUE(main.tray->Visibility().Contains(controls::tvVisibleTaskBar));

    main.tray->SetActive(true);
    EXPECT_TRUE(main.trayPeer->ApplicationWindow().Watching());
    EXPECT_TRUE(main.ShellKnowsIcon());
    minimise();
    EXPECT_FALSE(main.tray->Visibility().Contains(controls::tvVisibleTaskBar));
}

#endif  // _WIN32
