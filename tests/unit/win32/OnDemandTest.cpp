// What the program sets up only when it is first needed: a dialog's window
// (with its controls and fonts) when the dialog is first shown, OLE when the
// first page opens. Windows only (run under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/controls/Win32MenuPeer.h"
#include "win32/raii/OleOnDemand.h"
#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/Menus.h"

using namespace velora;
using namespace velora::component;
using namespace velora::controls;
using velora::controls::WindowCreation;

namespace {

std::string Text(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return win32::Narrow(buffer);
}

struct Dialog {
    Dialog() {
        form.SetClientWidth(300);
        form.SetClientHeight(120);
        label = CreateComponent<TLabel>(form, "labelName");
        label->SetBounds(8, 8, 100, 13);
        edit = CreateComponent<TEdit>(form, "editName");
        edit->SetBounds(8, 30, 150, 21);
        check = CreateComponent<TCheckBox>(form, "checkboxKeep");
        check->SetBounds(8, 60, 150, 17);
    }
    HWND Window(const TComponent& component) const { return peer->PeerOf(component)->Handle(); }

    win32::Win32Application application{GetModuleHandleW(nullptr)};
    TForm form{nullptr};
    TLabel* label;
    TEdit* edit;
    TCheckBox* check;
    std::unique_ptr<win32::Win32FormPeer> peer;
};

// Whether COM is running on this thread: a further initialisation is then
// answered S_FALSE (and balanced here at once).
bool ComRunsOnThisThread() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result)) CoUninitialize();
    return result == S_FALSE;
}

}  // namespace

TEST(OnDemand, ADialogsWindowComesWithItsFirstShowingAndShowsWhatWasSetMeanwhile) {
    Dialog dialog;
    dialog.peer =
        std::make_unique<win32::Win32FormPeer>(dialog.form, dialog.application, WindowCreation::WithFirstShowing);
    EXPECT_EQ(dialog.peer->Handle(), nullptr);
    EXPECT_EQ(dialog.peer->PeerOf(*dialog.label), nullptr);

    // Translated and filled before it is shown, as the program does.
    dialog.form.SetCaption("Optionen");
    dialog.label->SetCaption("Name");
    dialog.edit->SetText("Erika");
    dialog.check->SetChecked(true);
    dialog.edit->SetLeft(20);
    EXPECT_EQ(dialog.peer->Handle(), nullptr);

    dialog.form.Show();
    const HWND window = dialog.peer->Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Text(window), "Optionen");
    EXPECT_EQ(Text(dialog.Window(*dialog.label)), "Name");
    EXPECT_EQ(Text(dialog.Window(*dialog.edit)), "Erika");
    EXPECT_EQ(SendMessageW(dialog.Window(*dialog.check), BM_GETCHECK, 0, 0), BST_CHECKED);
    RECT client{}, edit{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right * 96 / dialog.peer->Scale().Dpi(), 300);
    GetWindowRect(dialog.Window(*dialog.edit), &edit);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(edit.left, dialog.peer->Scale().ToDevice(20));

    // From now on changes reach the window directly, hidden or not.
    dialog.form.Hide();
    dialog.label->SetCaption("Vorname");
    EXPECT_EQ(Text(dialog.Window(*dialog.label)), "Vorname");
    EXPECT_EQ(dialog.peer->Handle(), window);
}

TEST(OnDemand, BroughtToTheFrontADialogGetsItsWindowToo) {
    Dialog dialog;
    dialog.peer =
        std::make_unique<win32::Win32FormPeer>(dialog.form, dialog.application, WindowCreation::WithFirstShowing);
    dialog.form.BringToFront();
    EXPECT_NE(dialog.peer->Handle(), nullptr);
    EXPECT_NE(dialog.peer->PeerOf(*dialog.edit), nullptr);
}

TEST(OnDemand, WhatWorksWhileTheFormIsHiddenHasItsPeerAtOnceAndTheWindowWaits) {
    // A menu (like the tray icon beside it on the main window) works while
    // its form is never shown.
    Dialog dialog;
    auto* menu = CreateComponent<TPopupMenu>(dialog.form, "popupTray");
    dialog.peer =
        std::make_unique<win32::Win32FormPeer>(dialog.form, dialog.application, WindowCreation::WithFirstShowing);
    ASSERT_NE(dialog.peer->PeerOf(*menu), nullptr);
    EXPECT_EQ(dialog.peer->Handle(), nullptr);
    EXPECT_EQ(dialog.peer->PeerOf(*dialog.label), nullptr);

    // A menu item added meanwhile reaches the menu's peer.
    auto* item = CreateComponent<TMenuItem>(dialog.form, "menuitemSend");
    item->SetCaption("SMS senden");
    menu->Items().Add(item);
    auto* menuPeer = dynamic_cast<win32::Win32MenuPeer*>(dialog.peer->PeerOf(*menu));
    ASSERT_NE(menuPeer, nullptr);
    EXPECT_EQ(GetMenuItemCount(menuPeer->Menu()), 1);

    dialog.form.Show();
    EXPECT_NE(dialog.peer->Handle(), nullptr);
    EXPECT_EQ(dialog.peer->PeerOf(*menu), menuPeer);
    EXPECT_NE(dialog.peer->PeerOf(*dialog.label), nullptr);
}

TEST(OnDemand, OleStartsOnFirstUseAndEndsWithItsOwner) {
    ASSERT_FALSE(ComRunsOnThisThread());
    // Without an owner a caller that needs OLE has set it up itself.
    win32::OleOnDemand::Ensure();
    EXPECT_FALSE(ComRunsOnThisThread());
    {
        win32::OleOnDemand owner;
        EXPECT_FALSE(ComRunsOnThisThread());
        win32::OleOnDemand::Ensure();
        EXPECT_TRUE(ComRunsOnThisThread());
        // Once: the owner balances one initialisation.
        win32::OleOnDemand::Ensure();
        EXPECT_TRUE(ComRunsOnThisThread());
    }
    EXPECT_FALSE(ComRunsOnThisThread());
}

#endif
