#include "gtk/pagewindow/PageWindowProgram.h"

#include <fcntl.h>
#include <gtk/gtk.h>

#include <memory>

#include "controls/Form.h"
#include "controls/WebBrowser.h"
#include "controls/remote/MirroredForm.h"
#include "controls/remote/RemoteFormWindow.h"
#include "gtk/GtkFormPeer.h"
#include "gtk/GtkMainLoop.h"
#include "gtk/browser/GtkWebBrowserPeer.h"
#include "gtk/pagewindow/LineChannel.h"

namespace velora::gtk {

namespace {
constexpr int kFirstWidth = 320;
constexpr int kFirstHeight = 240;
}  // namespace

int RunPageWindow(int channel) {
    // WebKit's own processes get no share of it.
    fcntl(channel, F_SETFD, FD_CLOEXEC);
    if (!gtk_init_check(nullptr, nullptr)) return 1;

    controls::TForm form(nullptr);
    // A size of its own until the program's values arrive: a window of none
    // is refused.
    form.SetClientWidth(kFirstWidth);
    form.SetClientHeight(kFirstHeight);
    auto* browser = component::CreateComponent<controls::TWebBrowser>(form, controls::kRemoteBrowser);
    browser->SetParent(&form);
    GtkMainLoop loop;
    std::unique_ptr<LineChannel> lines;
    controls::MirroredForm mirror(form, *browser, [&lines](const controls::RemoteFields& fields) {
        if (lines) lines->Send(fields);
    });
    bool ended = false;
    {
        GtkFormPeer shown(form, loop);
        mirror.StandIn(shown);
        if (auto* view = dynamic_cast<GtkWebBrowserPeer*>(shown.PeerOf(*browser)))
            view->OnPageStateChanged([&mirror] { mirror.PageStateChanged(); });
        lines = std::make_unique<LineChannel>(
            channel, [&mirror](const controls::RemoteFields& fields) { mirror.MessageArrived(fields); },
            [&ended] { ended = true; });
        while (!ended) loop.Iterate();
        lines.reset();
        form.SetPeer(nullptr);
    }
    return 0;
}

}  // namespace velora::gtk
