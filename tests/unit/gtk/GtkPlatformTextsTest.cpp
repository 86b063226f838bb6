// The Linux side's own rules that need no display: text conversion between
// the program's Windows-1252 and GTK's UTF-8, mnemonics, the typed
// characters the digit filter sees, the autostart entry, where the language
// files are, the progress bar's fill, the tray menu as dbusmenu lists it and
// how long a hidden window keeps its page.

#ifdef VELORA_GTK

#include <gdk/gdkkeysyms.h>
#include <gdk/gdk.h>
#include <glib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/uModuleMain.h"
#include "component/Component.h"
#include "gtk/AnsiText.h"
#include "gtk/AutostartEntry.h"
#include "gtk/GtkDesktop.h"
#include "gtk/GtkKnownFolders.h"
#include "gtk/pagewindow/PageProcessFormPeer.h"
#include "gtk/controls/GtkEditPeer.h"
#include "gtk/controls/GtkProgressBarPeer.h"
#include "gtk/tray/DbusMenuLayout.h"
#include "controls/Menus.h"

namespace velora::gtk {
namespace {

TEST(AnsiText, EveryByteSurvivesTheWayThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    const std::string utf8 = ToUtf8(all);
    EXPECT_TRUE(g_utf8_validate(utf8.c_str(), static_cast<gssize>(utf8.size()), nullptr));
    EXPECT_EQ(FromUtf8(utf8), all);
    EXPECT_EQ(ToUtf8("\x80 \xFC\xDF"), "\xE2\x82\xAC \xC3\xBC\xC3\x9F");  // euro, u umlaut, sharp s
}

TEST(AnsiText, WhatWindows1252LacksAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(FromUtf8("\xE4\xB8\xAD"), "?");              // a CJK character
    EXPECT_EQ(FromUtf8("a\xC3"), "a?");                     // cut short
    EXPECT_EQ(FromUtf8("\xFF\xFE" "b"), "??b");             // no UTF-8 at all
    EXPECT_EQ(FromUtf8("\xC3\x28"), "?(");                  // a lead byte without its follower
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80!"), "?!");         // beyond the basic plane
}

TEST(AnsiText, CaptionsMarkTheirMnemonicAsGtkDoes) {
    EXPECT_EQ(MnemonicUtf8("&SMS senden..."), "_SMS senden...");
    EXPECT_EQ(MnemonicUtf8("Auf &Updates pr\xFC" "fen..."), "Auf _Updates pr\xC3\xBC" "fen...");
    EXPECT_EQ(MnemonicUtf8("Salt && Pepper"), "Salt & Pepper");
    EXPECT_EQ(MnemonicUtf8("snake_case"), "snake__case");
    EXPECT_EQ(MnemonicUtf8("-"), "-");
}

TEST(TypedCharacter, TheDigitFilterSeesWhatTheKeyTypes) {
    EXPECT_EQ(TypedCharacter(GDK_KEY_7, 0), '7');
    EXPECT_EQ(TypedCharacter(GDK_KEY_a, 0), 'a');
    EXPECT_EQ(TypedCharacter(GDK_KEY_KP_5, 0), '5');
    EXPECT_EQ(TypedCharacter(GDK_KEY_space, 0), ' ');
    EXPECT_EQ(TypedCharacter(GDK_KEY_BackSpace, 0), '\b');
    EXPECT_EQ(TypedCharacter(GDK_KEY_udiaeresis, 0), '\xFC');
    EXPECT_EQ(TypedCharacter(GDK_KEY_EuroSign, 0), '\x80');
    EXPECT_EQ(TypedCharacter(GDK_KEY_Greek_alpha, 0), '?');
    // Keys that type nothing never reach the filter: editing, and pasting.
    EXPECT_EQ(TypedCharacter(GDK_KEY_Left, 0), 0);
    EXPECT_EQ(TypedCharacter(GDK_KEY_Delete, 0), 0);
    EXPECT_EQ(TypedCharacter(GDK_KEY_Return, 0), 0);
    EXPECT_EQ(TypedCharacter(GDK_KEY_v, GDK_CONTROL_MASK), 0);
}

TEST(Autostart, TheEntryRunsTheProgramWhateverItsPathHolds) {
    const std::string entry = AutostartEntryText(R"("/opt/velora desktop/bin/velora-desktop")");
    EXPECT_NE(entry.find("\nExec=\"/opt/velora desktop/bin/velora-desktop\"\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    // The icon by the name the package installs it under.
    EXPECT_NE(entry.find("\nIcon=com.velora.Desktop\n"), std::string::npos) << entry;
    // Quotes, "$", "`" and "\" take a backslash (doubled in the value), "%" is doubled.
    EXPECT_EQ(ExecValueFor("/a\"b$c`d\\e%f"), "\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\"");
    // A line break in the path cannot start a line of its own.
    EXPECT_EQ(ExecValueFor("/x\nType=Link"), "\"/xType=Link\"");
}

TEST(Autostart, TheRunValueIsWrittenAndRemovedAsAnEntryInTheAutostartFolder) {
    namespace fs = std::filesystem;
    const fs::path config = fs::temp_directory_path() / ("velora-autostart-" + std::to_string(getpid()));
    fs::remove_all(config);
    GtkDesktop desktop(config.string());
    const fs::path entry = config / "autostart" / "velora-desktop.desktop";

    desktop.SetRunValue(app::AutostartValueName, "\"/usr/bin/velora-desktop\"");
    ASSERT_TRUE(fs::exists(entry));
    std::ifstream in(entry);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Exec=\"/usr/bin/velora-desktop\""), std::string::npos);

    desktop.SetRunValue("SomethingElse", "\"/bin/false\"");
    EXPECT_EQ(std::distance(fs::directory_iterator(config / "autostart"), fs::directory_iterator()), 1);
    desktop.DeleteRunValue("SomethingElse");
    EXPECT_TRUE(fs::exists(entry));
    desktop.DeleteRunValue(app::AutostartValueName);
    EXPECT_FALSE(fs::exists(entry));
    desktop.DeleteRunValue(app::AutostartValueName);  // a missing entry is no error
    fs::remove_all(config);
}

TEST(LanguageFolder, BesideTheProgramInABuildElseInTheDataFolder) {
    EXPECT_EQ(LanguageFolderFor("/work/build/linux/bin/velora-desktop", true), "/work/build/linux/bin/");
    EXPECT_EQ(LanguageFolderFor("/usr/bin/velora-desktop", false), "/usr/share/velora-desktop/");
    EXPECT_EQ(LanguageFolderFor("/opt/velora/bin/velora-desktop", false), "/opt/velora/share/velora-desktop/");
}

TEST(BrowserIdleSeconds, FiveMinutesUnlessTheSettingNamesOtherSeconds) {
    EXPECT_EQ(BrowserIdleSeconds(nullptr), 300u);
    EXPECT_EQ(BrowserIdleSeconds("3"), 3u);
    EXPECT_EQ(BrowserIdleSeconds("0"), 0u);
    EXPECT_EQ(BrowserIdleSeconds("86400"), 86400u);
    // Anything else is no setting.
    EXPECT_EQ(BrowserIdleSeconds("86401"), 300u);
    EXPECT_EQ(BrowserIdleSeconds(""), 300u);
    EXPECT_EQ(BrowserIdleSeconds("-1"), 300u);
    EXPECT_EQ(BrowserIdleSeconds("+5"), 300u);
    EXPECT_EQ(BrowserIdleSeconds("5s"), 300u);
    EXPECT_EQ(BrowserIdleSeconds("99999999999999999999999"), 300u);
}

TEST(ProgressFraction, StaysBetweenEmptyAndFull) {
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 1000, 250), 0.25);
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 0, 5), 0.0);          // no range yet
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 100, 150), 1.0);
    EXPECT_DOUBLE_EQ(ProgressFraction(10, 20, -5), 0.0);
    EXPECT_DOUBLE_EQ(ProgressFraction(-2147483647, 2147483647, 2147483647), 1.0);
}

TEST(DbusMenu, ListsTheVisibleEntriesWithIdsInMenuOrder) {
    component::TComponent owner(nullptr);
    auto* menu = component::CreateComponent<controls::TPopupMenu>(owner, "popup");
    const auto add = [&](controls::TMenuItem& parent, const std::string& name, const std::string& caption) {
        auto* item = component::CreateComponent<controls::TMenuItem>(owner, name);
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    };
    add(menu->Items(), "send", "&SMS senden...");
    add(menu->Items(), "hidden", "Hidden")->SetVisible(false);
    add(menu->Items(), "line", "-");
    auto* more = add(menu->Items(), "more", "&More");
    add(*more, "inner", "&Inner")->SetEnabled(false);
    add(menu->Items(), "exit", "&Beenden")->SetChecked(true);

    const std::vector<DbusMenuEntry> entries = DbusMenuEntries(menu->Items());
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].children, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(entries[1].label, "_SMS senden...");
    EXPECT_TRUE(entries[2].separator);
    EXPECT_EQ(entries[3].children, (std::vector<int>{4}));
    EXPECT_EQ(entries[4].parent, 3);
    EXPECT_FALSE(entries[4].enabled);
    EXPECT_EQ(entries[5].label, "_Beenden");
    EXPECT_TRUE(entries[5].checked);
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].id, static_cast<int>(i));
}

}  // namespace
}  // namespace velora::gtk

#endif
