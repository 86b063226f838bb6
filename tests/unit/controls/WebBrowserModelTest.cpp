#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/WebBrowser.h"
#include "controls/Form.h"
#include "controls/WebBrowser.h"

using namespace velora;

namespace {

class FakeBrowser : public platform::WebBrowser {
public:
    void Navigate(const std::string& url) override { navigations.push_back(url); }
    std::string LocationUrl() const override { return location; }
    bool Busy() const override { return busy; }
    void SetZoom(int percent) override { zooms.push_back(percent); }

    std::vector<std::string> navigations;
    std::vector<int> zooms;
    std::string location;
    bool busy = false;
};

}  // namespace

TEST(WebBrowserModel, WithoutABrowserTheLastNavigationIsTheLocation) {
    controls::TForm form(nullptr);
    auto* browser = component::CreateComponent<controls::TWebBrowser>(form, "browser");
    EXPECT_TRUE(browser->Class().InheritsFrom("TWinControl"));
    EXPECT_EQ(browser, form.FindComponent("BROWSER"));
    EXPECT_TRUE(browser->TabStop());

    EXPECT_EQ("", browser->LocationURL());
    browser->Navigate("http://127.0.0.1:8642/send?sApp=DW&&bSmallApp=1&lang=de");
    browser->Navigate("http://127.0.0.1:8642/contacts?sApp=DW&bSmallApp=1&lang=en");
    EXPECT_EQ("http://127.0.0.1:8642/contacts?sApp=DW&bSmallApp=1&lang=en", browser->LocationURL());
    EXPECT_FALSE(browser->Busy());
}

TEST(WebBrowserModel, AnAttachedBrowserTakesTheNavigationsAndAnswersForThePage) {
    controls::TWebBrowser browser(nullptr);
    FakeBrowser backend;
    browser.SetBackend(&backend);

    browser.Navigate("http://host/send?x=1&&y=\xE4");
    ASSERT_EQ(1u, backend.navigations.size());
    EXPECT_EQ("http://host/send?x=1&&y=\xE4", backend.navigations[0]);

    // The page may have moved on (a redirect, a link): the browser knows.
    backend.location = "http://host/other?lang=de";
    backend.busy = true;
    EXPECT_EQ("http://host/other?lang=de", browser.LocationURL());
    EXPECT_TRUE(browser.Busy());

    browser.SetBackend(nullptr);
    EXPECT_EQ("http://host/send?x=1&&y=\xE4", browser.LocationURL());
    EXPECT_FALSE(browser.Busy());
    browser.Navigate("http://host/after");
    EXPECT_EQ(1u, backend.navigations.size());
}

TEST(WebBrowserModel, ANavigationBeforeTheBrowserIsAttachedStartsOnceItIs) {
    // The main window's native browser comes with its first showing, after
    // the page's address was given.
    controls::TWebBrowser browser(nullptr);
    browser.Navigate("http://host/first");
    browser.Navigate("http://host/send?lang=de");
    FakeBrowser backend;
    browser.SetBackend(&backend);
    ASSERT_EQ(1u, backend.navigations.size());
    EXPECT_EQ("http://host/send?lang=de", backend.navigations[0]);

    // Once: attached again (a new native browser), it is not repeated.
    browser.SetBackend(nullptr);
    browser.SetBackend(&backend);
    EXPECT_EQ(1u, backend.navigations.size());
}

TEST(WebBrowserModel, TheZoomGoesToEveryAttachedBrowserAndTheUsersChangesAreReported) {
    controls::TWebBrowser browser(nullptr);
    int reported = 0;
    browser.OnZoomChange = [&](component::TComponent* sender) {
        EXPECT_EQ(&browser, sender);
        ++reported;
    };
    EXPECT_EQ(100, browser.Zoom());
    // Set from the settings before there is a browser: the first one gets it.
    browser.SetZoom(150);
    FakeBrowser backend;
    browser.SetBackend(&backend);
    EXPECT_EQ((std::vector<int>{150}), backend.zooms);
    EXPECT_EQ(0, reported);

    browser.ChangeZoom(controls::ZoomChange::In);
    browser.ChangeZoom(controls::ZoomChange::Out);
    browser.ChangeZoom(controls::ZoomChange::Out);
    EXPECT_EQ((std::vector<int>{150, 175, 150, 125}), backend.zooms);
    EXPECT_EQ(3, reported);
    browser.ChangeZoom(controls::ZoomChange::Reset);
    EXPECT_EQ(100, browser.Zoom());
    // Nothing to change: no call, no report.
    browser.ChangeZoom(controls::ZoomChange::Reset);
    browser.ChangeZoom(controls::ZoomChange::None);
    EXPECT_EQ(4, reported);
    EXPECT_EQ(5u, backend.zooms.size());

    // At the last step the key does nothing more.
    browser.SetZoom(100000);
    EXPECT_EQ(300, browser.Zoom());
    browser.ChangeZoom(controls::ZoomChange::In);
    EXPECT_EQ(300, browser.Zoom());
    EXPECT_EQ(4, reported);
    browser.SetZoom(-5);
    EXPECT_EQ(30, browser.Zoom());
    EXPECT_EQ(30, backend.zooms.back());

    // A browser that comes later (the page after idle) starts at the zoom.
    FakeBrowser later;
    browser.SetBackend(&later);
    EXPECT_EQ((std::vector<int>{30}), later.zooms);
}
