// What a form's window owns for its controls: the native popup menus built
// from the model's menus, and the fonts, which live as long as the form's
// window and are shared by its controls (the link label's styled ones too).
// Windows only (run under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/controls/NativePopupMenu.h"
#include "win32/controls/Win32LinkLabelPeer.h"
#include "controls/Form.h"
#include "controls/Label.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/Menus.h"

using namespace velora;
using namespace velora::component;
using namespace velora::controls;

namespace {

std::string Caption(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return win32::Narrow(text);
}

LOGFONTW Described(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    return description;
}

struct FormWithControls {
    FormWithControls() {
        label = CreateComponent<TLabel>(form, "labelPlain");
        label->SetBounds(8, 8, 100, 13);
        link = CreateComponent<TLinkLabel>(form, "linklabelRegister");
        link->SetBounds(8, 30, 200, 20);
        link->SetCaption("Jetzt bei VELORA <link>registrieren</link>");
        peer = std::make_unique<win32::Win32FormPeer>(form, application);
    }

    win32::Win32Application application{GetModuleHandleW(nullptr)};
    TForm form{nullptr};
    TLabel* label;
    TLinkLabel* link;
    std::unique_ptr<win32::Win32FormPeer> peer;
};

}  // namespace

TEST(NativePopupMenu, SubmenusShortcutsAndCommandIdsInMenuOrder) {
    TForm form(nullptr);
    TPopupMenu* popup = CreateComponent<TPopupMenu>(form, "popupTray");
    const auto add = [&](TMenuItem& parent, const std::string& name, const std::string& caption) {
        auto* item = CreateComponent<TMenuItem>(form, name);
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    };
    TMenuItem* send = add(popup->Items(), "menuitemSend", "&SMS senden...");
    send->SetShortCut(scCtrl | 'S');
    TMenuItem* pages = add(popup->Items(), "menuitemPages", "&Seiten");
    TMenuItem* contacts = add(*pages, "menuitemContacts", "&Adressbuch");
    TMenuItem* reminder = add(*pages, "menuitemReminder", "&Erinnerung");
    TMenuItem* exit = add(popup->Items(), "menuitemExit", "&Beenden");

    const win32::NativePopupMenu menu(popup->Items());
    ASSERT_NE(menu.Handle(), nullptr);
    ASSERT_EQ(GetMenuItemCount(menu.Handle()), 3);
    EXPECT_EQ(Caption(menu.Handle(), 0), "&SMS senden...\t" + ShortCutToText(scCtrl | 'S'));
    const HMENU submenu = GetSubMenu(menu.Handle(), 1);
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(Caption(submenu, 1), "&Erinnerung");

    // Depth first, in the order the items stand.
    EXPECT_EQ(menu.ItemOfCommand(GetMenuItemID(menu.Handle(), 0)), send);
    EXPECT_EQ(menu.ItemOfCommand(GetMenuItemID(submenu, 0)), contacts);
    EXPECT_EQ(menu.ItemOfCommand(GetMenuItemID(submenu, 1)), reminder);
    EXPECT_EQ(menu.ItemOfCommand(GetMenuItemID(menu.Handle(), 2)), exit);
    EXPECT_EQ(GetMenuItemID(menu.Handle(), 2), 4u);
    // 0 is "nothing chosen"; ids past the last name nothing either.
    EXPECT_EQ(menu.ItemOfCommand(0), nullptr);
    EXPECT_EQ(menu.ItemOfCommand(5), nullptr);
}

TEST(FormFonts, SharedByTheControlsAndGoneWithTheFormsWindow) {
    HFONT plain = nullptr, bold = nullptr;
    {
        FormWithControls window;
        auto* linkPeer = dynamic_cast<win32::Win32LinkLabelPeer*>(window.peer->PeerOf(*window.link));
        ASSERT_NE(linkPeer, nullptr);
        plain = window.peer->FontFor(*window.label);
        // The link label's unstyled font is the one its neighbours use.
        EXPECT_EQ(linkPeer->StyledFont({}), plain);
        bold = linkPeer->StyledFont(TFontStyles{fsBold});
        EXPECT_NE(bold, plain);
        EXPECT_EQ(linkPeer->StyledFont(TFontStyles{fsBold}), bold);
        EXPECT_EQ(window.peer->FontFor(*window.label, TFontStyles{fsBold}), bold);
        EXPECT_EQ(Described(bold).lfWeight, FW_BOLD);
        EXPECT_EQ(std::wstring(Described(bold).lfFaceName), std::wstring(Described(plain).lfFaceName));
        const LOGFONTW underlined = Described(linkPeer->StyledFont(TFontStyles{fsUnderline}));
        EXPECT_TRUE(underlined.lfUnderline);
        EXPECT_EQ(underlined.lfWeight, FW_NORMAL);

        // A new size of the label's font gives it other fonts; the old ones
        // stay for whoever still uses them.
        window.link->Font().SetSize(20);
        const HFONT larger = linkPeer->StyledFont({});
        EXPECT_NE(larger, plain);
        EXPECT_LT(Described(larger).lfHeight, Described(plain).lfHeight);
        EXPECT_NE(GetObjectType(plain), 0u);

        // The label paints with them (off screen, then onto its window).
        HWND label = linkPeer->Handle();
        ShowWindow(window.peer->Handle(), SW_SHOWNA);
        InvalidateRect(label, nullptr, FALSE);
        UpdateWindow(label);
        EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));
    }
    EXPECT_EQ(GetObjectType(plain), 0u);
    EXPECT_EQ(GetObjectType(bold), 0u);
}

#endif  // _WIN32
