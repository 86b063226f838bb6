// What the Linux program sets up only when it is first needed: a dialog's
// window, with its widgets, when the dialog is first shown or brought to
// the front. Needs a display (ctest runs test_gtk under xvfb-run).
#ifdef VELORA_GTK

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/Edit.h"
#include "controls/Form.h"
#include "gtk/GtkFormPeer.h"
#include "gtk/GtkMainLoop.h"

namespace velora::gtk {
namespace {

struct Dialog {
    Dialog() {
        EXPECT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
        form.SetClientWidth(300);
        form.SetClientHeight(120);
        edit = component::CreateComponent<controls::TEdit>(form, "editName");
        edit->SetBounds(8, 30, 150, 21);
        peer = std::make_unique<GtkFormPeer>(form, loop, controls::WindowCreation::WithFirstShowing);
    }
    ~Dialog() {
        peer.reset();
        form.SetPeer(nullptr);
    }

    GtkMainLoop loop;
    controls::TForm form{nullptr};
    controls::TEdit* edit;
    std::unique_ptr<GtkFormPeer> peer;
};

TEST(GtkOnDemand, ADialogsWindowComesWithItsFirstShowingAndShowsWhatWasSetMeanwhile) {
    Dialog dialog;
    EXPECT_EQ(dialog.peer->Window(), nullptr);
    EXPECT_EQ(dialog.peer->PeerOf(*dialog.edit), nullptr);

    dialog.form.SetCaption("Optionen");
    dialog.edit->SetText("Erika");
    EXPECT_EQ(dialog.peer->Window(), nullptr);

    dialog.form.Show();
    ASSERT_NE(dialog.peer->Window(), nullptr);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog.peer->Window())), "Optionen");
    EXPECT_TRUE(gtk_widget_get_visible(dialog.peer->Window()));
    GtkWidget* entry = dialog.peer->PeerOf(*dialog.edit)->Widget();
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(entry)), "Erika");
}

TEST(GtkOnDemand, BroughtToTheFrontWhileHiddenTheDialogGetsItsWindowAndStaysHidden) {
    Dialog dialog;
    dialog.form.SetCaption("Update");
    dialog.form.BringToFront();
    ASSERT_NE(dialog.peer->Window(), nullptr);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog.peer->Window())), "Update");
    EXPECT_NE(dialog.peer->PeerOf(*dialog.edit), nullptr);
    EXPECT_FALSE(gtk_widget_get_visible(dialog.peer->Window()));
    EXPECT_FALSE(dialog.form.Visible());
}

}  // namespace
}  // namespace velora::gtk

#endif  // VELORA_GTK
