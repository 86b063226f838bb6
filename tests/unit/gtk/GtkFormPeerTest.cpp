// The GTK form peer keeps the promises of both sides' form peers, checked
// on the widgets' own states. Needs a display (ctest runs test_gtk under
// xvfb-run).
#ifdef VELORA_GTK

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include "controls/peers/FormPeerContract.h"
#include "gtk/GtkFormPeer.h"
#include "gtk/GtkMainLoop.h"

namespace velora::controls::testing {
namespace {

struct GtkFormPeers {
    struct Host {
        Host() { EXPECT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
        gtk::GtkMainLoop loop;
    };
    struct FormPeer : gtk::GtkFormPeer {
        FormPeer(TForm& form, Host& host) : gtk::GtkFormPeer(form, host.loop) {}
    };

    static GtkWidget* Widget(const FormPeer& peer, const component::TComponent& component) {
        const gtk::GtkControlPeer* child = peer.PeerOf(component);
        return child ? child->Widget() : nullptr;
    }
    static bool HasNativeSide(const FormPeer& peer, const component::TComponent& component) {
        return Widget(peer, component) != nullptr;
    }
    static bool Shown(const FormPeer& peer, const component::TComponent& component) {
        return gtk_widget_get_visible(Widget(peer, component));
    }
    static bool Enabled(const FormPeer& peer, const component::TComponent& component) {
        return gtk_widget_get_sensitive(Widget(peer, component));
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Gtk, FormPeerContract, GtkFormPeers);

}  // namespace velora::controls::testing

#endif  // VELORA_GTK
