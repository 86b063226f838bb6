// The native windows behind a form's controls, checked through the Windows
// API. Windows only (run under Wine in the cross build); elsewhere this file
// is empty.
#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/controls/Win32MenuPeer.h"
#include "win32/controls/Win32RadioGroupPeer.h"
#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/GroupBox.h"
#include "controls/Label.h"
#include "controls/Memo.h"
#include "controls/Menus.h"
#include "controls/ProgressBar.h"
#include "controls/RadioGroup.h"

using namespace velora;
using namespace velora::component;
using namespace velora::controls;
using velora::win32::Win32Application;
using velora::win32::Win32FormPeer;

namespace {

// A cut-down options dialog: the kinds of controls it has, placed as it
// places them.
struct OptionsDialog {
    TForm form{nullptr};
    TGroupBox* login;
    TLabel* labelLand;
    TComboBox* country;
    TEdit* mobile;
    TEdit* password;
    TGroupBox* extended;
    TCheckBox* autostart;
    TCheckBox* onlineStatus;
    TGroupBox* ie;
    TCheckBox* ieIntegration;
    TRadioGroup* language;
    TButton* ok;
    TButton* cancel;
    TMemo* history;
    TProgressBar* progress;
    TPopupMenu* popup;

    template <class T>
    T* Place(const std::string& name, TWinControl* parent, int left, int top, int width, int height) {
        T* control = CreateComponent<T>(form, name);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    OptionsDialog() {
        form.SetCaption("Options");
        form.SetBorderStyle(bsDialog);
        form.SetClientWidth(421);
        form.SetClientHeight(424);
        login = Place<TGroupBox>("groupboxLogin", &form, 8, 8, 401, 201);
        login->SetCaption("Login Daten");
        login->SetTabOrder(1);
        labelLand = Place<TLabel>("labelLand", login, 17, 77, 65, 13);
        labelLand->SetCaption("Land");
        country = Place<TComboBox>("comboboxCountry", login, 16, 96, 169, 21);
        country->SetStyle(csOwnerDrawFixed);
        country->SetDropDownCount(15);
        country->SetSorted(true);
        country->Items().Add("DEU=49");
        country->Items().Add("AUT=43");
        mobile = Place<TEdit>("editMobileNr", login, 191, 96, 192, 21);
        mobile->SetMaxLength(12);
        mobile->SetTabOrder(1);
        mobile->OnKeyPress = [](TComponent*, char& key) {
            if ((key < '0' || key > '9') && key != 8) key = 0;
        };
        password = Place<TEdit>("editPassword", login, 16, 145, 367, 21);
        password->SetPasswordChar('*');
        password->SetTabOrder(2);
        extended = Place<TGroupBox>("groupboxExtended", &form, 8, 215, 401, 81);
        extended->SetTabOrder(2);
        autostart = Place<TCheckBox>("checkboxAutostart", extended, 16, 24, 367, 17);
        autostart->SetCaption("Autostart");
        autostart->SetChecked(true);
        onlineStatus = Place<TCheckBox>("checkboxOnlineStatus", extended, 16, 47, 367, 17);
        onlineStatus->SetCaption("Keine Internet-Erkennung");
        onlineStatus->SetTabOrder(1);
        onlineStatus->SetHint("First line\r\nSecond line");
        onlineStatus->SetShowHint(true);
        ie = Place<TGroupBox>("groupboxIE", &form, 8, 360, 265, 57);
        ie->SetVisible(false);
        ie->SetTabOrder(3);
        ieIntegration = Place<TCheckBox>("checkboxIEIntegration", ie, 3, 24, 305, 17);
        language = Place<TRadioGroup>("radioLanguage", &form, 8, 303, 401, 75);
        language->SetCaption("Sprache");
        language->Items().Add("deutsch");
        language->Items().Add("englisch");
        language->SetItemIndex(0);
        language->SetTabOrder(4);
        ok = Place<TButton>("buttonOk", &form, 334, 390, 75, 25);
        ok->SetCaption("Ok");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        cancel = Place<TButton>("buttonCancel", &form, 250, 390, 75, 25);
        cancel->SetCaption("Abbruch");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetTabOrder(5);
        history = Place<TMemo>("memoHistory", &form, 430, 8, 100, 60);
        history->SetReadOnly(true);
        history->SetScrollBars(ssVertical);
        history->Lines().Add("first");
        history->Lines().Add("second");
        history->SetTabOrder(6);
        progress = Place<TProgressBar>("progress", &form, 430, 80, 100, 17);
        popup = CreateComponent<TPopupMenu>(form, "popupTray");
    }
};

class ControlPeers : public ::testing::Test {
protected:
    ControlPeers() : application(GetModuleHandleW(nullptr)), peer(dialog.form, application) {}

    HWND Window(const TComponent& component) const {
        win32::Win32ControlPeer* child = peer.PeerOf(component);
        return child ? child->Handle() : nullptr;
    }
    RECT ClientRect(const TComponent& component) const {
        RECT r{};
        GetWindowRect(Window(component), &r);
        MapWindowPoints(HWND_DESKTOP, peer.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static std::string Text(HWND window) {
        wchar_t buffer[512] = {};
        GetWindowTextW(window, buffer, 512);
        return win32::Narrow(buffer);
    }
    static LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
    LRESULT Command(const TComponent& component, WORD code) {
        HWND child = Window(component);
        return SendMessageW(peer.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code),
                            reinterpret_cast<LPARAM>(child));
    }
    // Posts a key to `window` and lets the application take it, as its loop does.
    void PressKey(HWND window, WPARAM key) {
        PostMessageW(window, WM_KEYDOWN, key, 1);
        application.HandleMessage();
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
        application.HandleMessage();
    }

    Win32Application application;
    OptionsDialog dialog;
    Win32FormPeer peer;
};

}  // namespace

TEST_F(ControlPeers, ChildWindowsStandWhereTheModelPlacesThem) {
    const RECT country = ClientRect(*dialog.country);
    EXPECT_EQ(country.left, 8 + 16);
    EXPECT_EQ(country.top, 8 + 96);
    EXPECT_EQ(country.right - country.left, 169);
    const RECT autostart = ClientRect(*dialog.autostart);
    EXPECT_EQ(autostart.left, 8 + 16);
    EXPECT_EQ(autostart.top, 215 + 24);
    EXPECT_EQ(autostart.bottom - autostart.top, 17);
    const RECT ok = ClientRect(*dialog.ok);
    EXPECT_EQ(ok.left, 334);
    EXPECT_EQ(ok.top, 390);
    // All are children of the form's window, not of their group box.
    EXPECT_EQ(GetParent(Window(*dialog.autostart)), peer.Handle());

    EXPECT_EQ(Text(Window(*dialog.login)), "Login Daten");
    EXPECT_EQ(Text(Window(*dialog.labelLand)), "Land");
    EXPECT_EQ(Text(Window(*dialog.ok)), "Ok");
    EXPECT_EQ(Text(Window(*dialog.history)), "first\r\nsecond");
    EXPECT_TRUE(Style(Window(*dialog.history)) & WS_VSCROLL);
    EXPECT_TRUE(Style(Window(*dialog.history)) & ES_READONLY);

    HWND mobile = Window(*dialog.mobile);
    EXPECT_EQ(SendMessageW(mobile, EM_GETLIMITTEXT, 0, 0), 12);
    EXPECT_EQ(SendMessageW(Window(*dialog.password), EM_GETPASSWORDCHAR, 0, 0), L'*');

    HWND combo = Window(*dialog.country);
    EXPECT_TRUE(Style(combo) & CBS_OWNERDRAWFIXED);
    EXPECT_FALSE(Style(combo) & CBS_SORT);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    wchar_t entry[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(win32::Narrow(entry), "AUT=43");
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 13);

    // A hidden group box hides what it holds.
    EXPECT_FALSE(Style(Window(*dialog.ieIntegration)) & WS_VISIBLE);
    EXPECT_TRUE(Style(Window(*dialog.autostart)) & WS_VISIBLE);

    // The default button, and Enter's answer to the dialog manager.
    EXPECT_EQ(Style(Window(*dialog.ok)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const LRESULT defId = SendMessageW(peer.Handle(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(defId), DC_HASDEFID);
    EXPECT_EQ(LOWORD(defId), GetDlgCtrlID(Window(*dialog.ok)));
}

TEST_F(ControlPeers, TheFormFollowsWhereTheUserMovesItsWindow) {
    // Moved as the user would, not through the model.
    SetWindowPos(peer.Handle(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(peer.Handle(), &r);
    EXPECT_EQ(dialog.form.Left(), r.left);
    EXPECT_EQ(dialog.form.Top(), r.top);
    // The model's own change moves the window there.
    dialog.form.SetLeft(200);
    GetWindowRect(peer.Handle(), &r);
    EXPECT_EQ(r.left, 200);
}

TEST_F(ControlPeers, TheFormFollowsItsWindowToAScreenOfAnotherDensityAndBack) {
    // What a move to another density changes: the client area, the places
    // of the children, the list's entries, the fonts and the hint's width.
    struct Layout {
        SIZE client;
        std::vector<RECT> places;
        LRESULT entryHeight;
        LONG fontHeight;
        LRESULT hintWidth;
    };
    auto* radio = dynamic_cast<win32::Win32RadioGroupPeer*>(peer.PeerOf(*dialog.language));
    ASSERT_NE(radio, nullptr);
    const auto layout = [&] {
        Layout now{};
        RECT client{};
        GetClientRect(peer.Handle(), &client);
        now.client = {client.right, client.bottom};
        for (const TComponent* control : std::initializer_list<const TComponent*>{
                 dialog.login, dialog.labelLand, dialog.country, dialog.mobile, dialog.password, dialog.extended,
                 dialog.autostart, dialog.language, dialog.ok, dialog.history})
            now.places.push_back(ClientRect(*control));
        for (HWND button : radio->Buttons()) {
            RECT r{};
            GetWindowRect(button, &r);
            MapWindowPoints(HWND_DESKTOP, peer.Handle(), reinterpret_cast<POINT*>(&r), 2);
            now.places.push_back(r);
        }
        now.entryHeight = SendMessageW(Window(*dialog.country), CB_GETITEMHEIGHT, 0, 0);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Window(*dialog.ok), WM_GETFONT, 0, 0)), sizeof font, &font);
        now.fontHeight = font.lfHeight;
        now.hintWidth = SendMessageW(peer.ToolTip(), TTM_GETMAXTIPWIDTH, 0, 0);
        return now;
    };
    // The system suggests a window whose client area is the scaled one; the
    // frame is taken as it is here (Wine keeps it at the system's density).
    RECT window{}, client{};
    GetWindowRect(peer.Handle(), &window);
    GetClientRect(peer.Handle(), &client);
    const auto suggest = [&](int left, int top, int clientWidth, int clientHeight) {
        return RECT{left, top, left + clientWidth + (window.right - window.left - client.right),
                    top + clientHeight + (window.bottom - window.top - client.bottom)};
    };
    const auto moveTo = [&](int dpi, RECT suggested) {
        return SendMessageW(peer.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };
    const Layout design = layout();
    ASSERT_EQ(design.entryHeight, 13);

    EXPECT_EQ(moveTo(144, suggest(40, 30, 632, 636)), 0);
    EXPECT_EQ(peer.Scale().Dpi(), 144);
    const Layout large = layout();
    EXPECT_EQ(large.client.cx, 632);
    EXPECT_EQ(large.client.cy, 636);
    const RECT country = ClientRect(*dialog.country);
    EXPECT_EQ(country.left, 36);
    EXPECT_EQ(country.top, 156);
    EXPECT_EQ(country.right - country.left, 254);
    const RECT ok = ClientRect(*dialog.ok);
    EXPECT_EQ(ok.left, 501);
    EXPECT_EQ(ok.top, 585);
    EXPECT_EQ(ok.right - ok.left, 113);
    EXPECT_EQ(ok.bottom - ok.top, 38);
    // The rest within two pixels of 1.5 times their place (the radio
    // buttons share the room below a caption in a font of its own size).
    for (size_t i = 0; i < design.places.size(); ++i) {
        const RECT& was = design.places[i];
        const RECT& now = large.places[i];
        EXPECT_NEAR(now.left, was.left * 3 / 2.0, 2) << "child " << i;
        EXPECT_NEAR(now.top, was.top * 3 / 2.0, 2) << "child " << i;
        EXPECT_NEAR(now.right - now.left, (was.right - was.left) * 3 / 2.0, 2) << "child " << i;
    }
    EXPECT_EQ(large.entryHeight, 20);
    EXPECT_NEAR(large.fontHeight, design.fontHeight * 3 / 2.0, 1);
    EXPECT_EQ(large.hintWidth, design.hintWidth * 3 / 2);
    // The window stands where the system put it, and the model knows.
    RECT moved{};
    GetWindowRect(peer.Handle(), &moved);
    EXPECT_EQ(moved.left, 40);
    EXPECT_EQ(moved.top, 30);
    EXPECT_EQ(dialog.form.Left(), 40);
    EXPECT_EQ(dialog.form.Top(), 30);
    // The model keeps its design: only the windows are scaled.
    EXPECT_EQ(dialog.ok->Width(), 75);
    EXPECT_EQ(dialog.form.ClientWidth(), 421);

    // Back at 96 DPI everything is as it was, to the pixel.
    moveTo(96, suggest(window.left, window.top, 421, 424));
    const Layout again = layout();
    EXPECT_EQ(again.client.cx, design.client.cx);
    EXPECT_EQ(again.client.cy, design.client.cy);
    ASSERT_EQ(again.places.size(), design.places.size());
    for (size_t i = 0; i < design.places.size(); ++i)
        EXPECT_TRUE(EqualRect(&again.places[i], &design.places[i])) << "child " << i;
    EXPECT_EQ(again.entryHeight, design.entryHeight);
    EXPECT_EQ(again.fontHeight, design.fontHeight);
    EXPECT_EQ(again.hintWidth, design.hintWidth);
    RECT back{};
    GetWindowRect(peer.Handle(), &back);
    EXPECT_TRUE(EqualRect(&back, &window));
}

TEST_F(ControlPeers, AModalDialogGivesTheOtherWindowsBackWhenItsCloseHandlerFails) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    dialog.form.OnShow = [this](TComponent*) { dialog.form.SetModalResult(mrOk); };
    dialog.form.OnClose = [](TComponent*, TCloseAction&) { throw std::runtime_error("close failed"); };
    EXPECT_THROW(dialog.form.ShowModal(), std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

TEST_F(ControlPeers, TabVisitsTheControlsInTabOrder) {
    auto* radio = dynamic_cast<win32::Win32RadioGroupPeer*>(peer.PeerOf(*dialog.language));
    ASSERT_NE(radio, nullptr);
    ASSERT_EQ(radio->Buttons().size(), 2u);
    const std::vector<HWND> expected{Window(*dialog.ok),        Window(*dialog.country),   Window(*dialog.mobile),
                                     Window(*dialog.password),  Window(*dialog.autostart), Window(*dialog.onlineStatus),
                                     radio->Buttons()[0],       Window(*dialog.cancel),    Window(*dialog.history)};
    std::vector<HWND> visited;
    HWND at = nullptr;
    for (size_t i = 0; i < expected.size(); ++i) {
        at = GetNextDlgTabItem(peer.Handle(), at, FALSE);
        visited.push_back(at);
    }
    EXPECT_EQ(visited, expected);
    // Only the selected radio button is a tab stop.
    dialog.language->SetItemIndex(1);
    EXPECT_FALSE(Style(radio->Buttons()[0]) & WS_TABSTOP);
    EXPECT_TRUE(Style(radio->Buttons()[1]) & WS_TABSTOP);
}

TEST_F(ControlPeers, ModelChangesReachTheWindows) {
    dialog.form.SetCaption("VELORA Desktop - 1.2");
    EXPECT_EQ(Text(peer.Handle()), "VELORA Desktop - 1.2");
    dialog.ok->SetCaption("OK");
    EXPECT_EQ(Text(Window(*dialog.ok)), "OK");

    dialog.autostart->SetChecked(false);
    EXPECT_EQ(SendMessageW(Window(*dialog.autostart), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    HWND combo = Window(*dialog.country);
    dialog.country->Items().Add("USA=1");
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    dialog.country->SetItemIndex(2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    dialog.country->SetItemIndex(-1);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);

    dialog.mobile->SetText("1721234567");
    EXPECT_EQ(Text(Window(*dialog.mobile)), "1721234567");

    auto* radio = dynamic_cast<win32::Win32RadioGroupPeer*>(peer.PeerOf(*dialog.language));
    dialog.language->SetItemIndex(1);
    EXPECT_EQ(SendMessageW(radio->Buttons()[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(radio->Buttons()[1], BM_GETCHECK, 0, 0), BST_CHECKED);
    dialog.language->Items().Add("francais");
    EXPECT_EQ(radio->Buttons().size(), 3u);

    dialog.progress->SetMax(1000);
    dialog.progress->SetPosition(250);
    EXPECT_EQ(SendMessageW(Window(*dialog.progress), PBM_GETPOS, 0, 0), 250);
    EXPECT_EQ(SendMessageW(Window(*dialog.progress), PBM_GETRANGE, FALSE, 0), 1000);
    dialog.progress->SetVisible(false);
    EXPECT_FALSE(Style(Window(*dialog.progress)) & WS_VISIBLE);

    dialog.history->Lines().Clear();
    dialog.history->Lines().Add("only");
    EXPECT_EQ(Text(Window(*dialog.history)), "only");

    // A container carries its contents along when it moves or hides.
    dialog.extended->SetLeft(20);
    EXPECT_EQ(ClientRect(*dialog.autostart).left, 20 + 16);
    dialog.extended->SetVisible(false);
    EXPECT_FALSE(Style(Window(*dialog.onlineStatus)) & WS_VISIBLE);
    dialog.extended->SetEnabled(false);
    dialog.extended->SetVisible(true);
    EXPECT_TRUE(Style(Window(*dialog.onlineStatus)) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowEnabled(Window(*dialog.onlineStatus)));

    // A control created after the window gets its own at its first change.
    auto* late = CreateComponent<TLabel>(dialog.form, "labelLate");
    late->SetCaption("late");
    ASSERT_NE(Window(*late), nullptr);
    EXPECT_EQ(Text(Window(*late)), "late");
}

TEST_F(ControlPeers, UserInputReachesTheModel) {
    dialog.form.Show();

    int clicks = 0;
    dialog.onlineStatus->OnClick = [&](TComponent*) { ++clicks; };
    SendMessageW(Window(*dialog.onlineStatus), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.onlineStatus->Checked());
    EXPECT_EQ(clicks, 1);

    int changes = 0;
    dialog.country->OnChange = [&](TComponent*) { ++changes; };
    SendMessageW(Window(*dialog.country), CB_SETCURSEL, 1, 0);
    Command(*dialog.country, CBN_SELCHANGE);
    EXPECT_EQ(dialog.country->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);

    // Every typed character passes the model's key filter first.
    HWND mobile = Window(*dialog.mobile);
    for (wchar_t key : std::wstring(L"1a7+ 2\b3")) SendMessageW(mobile, WM_CHAR, key, 1);
    EXPECT_EQ(dialog.mobile->Text(), "173");
    EXPECT_EQ(Text(mobile), "173");
    for (int i = 0; i < 15; ++i) SendMessageW(mobile, WM_CHAR, L'9', 1);
    EXPECT_EQ(dialog.mobile->Text().size(), 12u);
    // The password field has no filter.
    SendMessageW(Window(*dialog.password), WM_CHAR, L'x', 1);
    EXPECT_EQ(dialog.password->Text(), "x");

    auto* radio = dynamic_cast<win32::Win32RadioGroupPeer*>(peer.PeerOf(*dialog.language));
    int languageClicks = 0;
    dialog.language->OnClick = [&](TComponent*) { ++languageClicks; };
    SendMessageW(radio->Buttons()[1], BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.language->ItemIndex(), 1);
    EXPECT_EQ(languageClicks, 1);

    // Esc presses the Cancel button, Enter the default one.
    SetFocus(mobile);
    PressKey(mobile, VK_ESCAPE);
    EXPECT_EQ(dialog.form.ModalResult(), mrCancel);
    PressKey(mobile, VK_RETURN);
    EXPECT_EQ(dialog.form.ModalResult(), mrOk);
    // Tab moves on in tab order.
    PressKey(mobile, VK_TAB);
    EXPECT_EQ(GetFocus(), Window(*dialog.password));
}

TEST_F(ControlPeers, HintsShowAsMultiLineTooltips) {
    HWND tip = peer.ToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_GT(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 0);
    wchar_t text[128] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = peer.Handle();
    info.uId = reinterpret_cast<UINT_PTR>(Window(*dialog.onlineStatus));
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(win32::Narrow(text), "First line\r\nSecond line");

    dialog.onlineStatus->SetShowHint(false);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(ControlPeers, OwnerDrawnComboDrawsThroughTheModel) {
    struct Call {
        int index;
        TRect rect;
        bool selected;
    };
    std::vector<Call> calls;
    dialog.country->OnDrawItem = [&](TComboBox&, TCanvas& canvas, int index, const TRect& rect,
                                     TOwnerDrawState state) {
        calls.push_back({index, rect, state.Contains(odSelected)});
        canvas.FillRect(rect);
        canvas.DrawTextAt(rect.Left + 4, rect.Top, "x");
    };
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 50, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);

    HWND combo = Window(*dialog.country);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(combo));
    item.itemID = 1;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ODS_SELECTED;
    item.hwndItem = combo;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 50, 13};
    EXPECT_TRUE(SendMessageW(peer.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].rect.Right, 50);
    EXPECT_TRUE(calls[0].selected);
    // The canvas filled with the selection colour the peer chose.
    EXPECT_EQ(GetPixel(dc, 40, 5), GetSysColor(COLOR_HIGHLIGHT));

    // An empty selection field only gets its background.
    item.itemID = static_cast<UINT>(-1);
    SendMessageW(peer.Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(calls.size(), 1u);

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(ControlPeers, PopupMenuIsBuiltFromTheItems) {
    auto item = [&](const std::string& name, const std::string& caption) {
        auto* menuItem = CreateComponent<TMenuItem>(dialog.form, name);
        menuItem->SetCaption(caption);
        dialog.popup->Items().Add(menuItem);
        return menuItem;
    };
    TMenuItem* send = item("menuitemSend", "&SMS senden...");
    item("menuitemBreak1", "-");
    TMenuItem* hidden = item("menuitemHidden", "Hidden");
    hidden->SetVisible(false);
    TMenuItem* update = item("menuitemUpdate", "Auf &Updates pr\xFC" "fen...");
    update->SetEnabled(false);
    TMenuItem* exit = item("menuitemExit", "&Beenden");
    exit->SetChecked(true);

    auto* menuPeer = dynamic_cast<win32::Win32MenuPeer*>(peer.PeerOf(*dialog.popup));
    ASSERT_NE(menuPeer, nullptr);
    HMENU menu = menuPeer->Menu();
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    wchar_t caption[64] = {};
    GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(win32::Narrow(caption), "&SMS senden...");
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    GetMenuStringW(menu, 2, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(win32::Narrow(caption), "Auf &Updates pr\xFC" "fen...");
    EXPECT_TRUE(GetMenuState(menu, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, 3, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(menuPeer->ItemOfCommand(GetMenuItemID(menu, 0)), send);

    // A changed item shows in the next menu.
    send->SetCaption("&Send SMS...");
    hidden->SetVisible(true);
    menu = menuPeer->Menu();
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(win32::Narrow(caption), "&Send SMS...");

    // The chosen item's Click runs once the menu has closed.
    dialog.form.Show();
    int sent = 0;
    send->OnClick = [&](TComponent*) { ++sent; };
    PostMessageW(peer.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(peer.Handle(), WM_KEYDOWN, VK_RETURN, 1);
    // A menu that somehow stays open is closed after a while.
    const UINT_PTR timer = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    menuPeer->Popup(POINT{100, 100});
    KillTimer(nullptr, timer);
    EXPECT_EQ(sent, 1);
}

#endif  // _WIN32
