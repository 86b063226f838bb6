// Real downloads through the libcurl client from the local HTTP server, with
// the events handed to this thread's GLib main context: every HTTP client's
// promises, and the replies whose headers libcurl refuses.

#ifdef VELORA_GTK

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gtk/GtkSide.h"
#include "platform/HttpClientContract.h"
#include "settings/SettingsTestSupport.h"
#include "support/LocalHttpServer.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Curl, HttpClientContract, gtk::testing::GtkSide);

}  // namespace velora::platform::testing

namespace velora::curl {
namespace {

using fakes::LocalHttpServer;
using settings::testing::ScratchFolder;

class CurlDownload : public platform::testing::HttpClientContract<gtk::testing::GtkSide> {};

// A length that is no number: libcurl refuses the reply's headers, and the
// transfer ends as one whose request was never answered: a reply kept in
// memory comes empty and without an error (nothing of the body is kept),
// a download to a file ends in an error and the file stays.
TEST_F(CurlDownload, AMalformedLengthEndsInNothingOrForAFileInAnError) {
    LocalHttpServer server({
        "HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\nbody",
        "HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\nbody",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";
    grabber.SetUrl(server.Url());
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(received, "");
    EXPECT_EQ(error, "");

    ScratchFolder scratch;
    const std::string file = scratch.File("version.ini");
    ScratchFolder::Write(file, "last good");
    std::vector<std::string> saved;
    grabber.SetOutputMode(net::omFile);
    grabber.SetFileName(file);
    grabber.OnDoneFile = [&](component::TComponent*, const std::string& name, std::int32_t, const std::string&) {
        saved.push_back(name);
        done = true;
    };
    ASSERT_TRUE(Fetch());
    EXPECT_NE(error, "");
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(ScratchFolder::Read(file), "last good");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"version.ini"});
    EXPECT_EQ(offUiThread, 0);
}

}  // namespace
}  // namespace velora::curl

#endif  // VELORA_GTK
