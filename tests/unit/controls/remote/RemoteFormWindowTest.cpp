// The program's form and its window in another process, back to back: what
// goes through the channel is queued as a socket would hold it and handed
// over when the test pumps.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "controls/PageZoom.h"
#include "controls/WebBrowser.h"
#include "controls/remote/MirroredForm.h"
#include "controls/remote/RemoteFormWindow.h"

using namespace velora;
using namespace velora::controls;

namespace {

constexpr int kIdle = 300000;

// The window's process: a form and a browser of its own, as the GTK side's
// page window has them, with a peer that only records.
struct WindowProcess {
    struct ShownPeer : component::ControlPeer {
        void PropertyChanged(component::TComponent&, std::string_view property) override {
            changes.emplace_back(property);
        }
        void BringToFront(TForm&) override { ++fronts; }
        std::vector<std::string> changes;
        int fronts = 0;
    };

    explicit WindowProcess(std::deque<RemoteFields>& toProgram)
        : browser(component::CreateComponent<TWebBrowser>(form, kRemoteBrowser)),
          mirror(form, *browser, [&toProgram](const RemoteFields& fields) { toProgram.push_back(fields); }) {
        browser->SetParent(&form);
        mirror.StandIn(shown);
    }
    ~WindowProcess() { form.SetPeer(nullptr); }

    TForm form{nullptr};
    TWebBrowser* browser;
    ShownPeer shown;
    MirroredForm mirror;
};

class FakeProcess final : public RemoteProcess {
public:
    void Start(RemoteProcessListener& listener) override {
        if (window) return;
        listener_ = &listener;
        toWindow.clear();
        toProgram.clear();
        window = std::make_unique<WindowProcess>(toProgram);
        ++starts;
    }
    bool Running() const override { return window != nullptr; }
    void Send(const RemoteFields& fields) override {
        if (window) toWindow.push_back(fields);
        sent.push_back(fields);
    }
    void Stop() override { window.reset(); }

    // Hands over what waits, either way, until nothing does.
    void Pump() {
        while (window && (!toWindow.empty() || !toProgram.empty())) {
            if (!toWindow.empty()) {
                const RemoteFields fields = toWindow.front();
                toWindow.pop_front();
                window->mirror.MessageArrived(fields);
            } else {
                const RemoteFields fields = toProgram.front();
                toProgram.pop_front();
                listener_->MessageArrived(fields);
            }
        }
    }
    // The process ended by itself.
    void Crash() {
        window.reset();
        listener_->ProcessEnded();
    }

    std::unique_ptr<WindowProcess> window;
    std::deque<RemoteFields> toWindow;
    std::deque<RemoteFields> toProgram;
    std::vector<RemoteFields> sent;
    int starts = 0;

private:
    RemoteProcessListener* listener_ = nullptr;
};

struct FakeTimer {
    struct Call final : platform::DelayedCall {
        explicit Call(FakeTimer& timer) : timer(timer) {}
        ~Call() override { timer.pending = nullptr; }
        FakeTimer& timer;
    };
    RemoteTimer Make() {
        return [this](int milliseconds, std::function<void()> work) -> std::unique_ptr<platform::DelayedCall> {
            lastMilliseconds = milliseconds;
            this->work = std::move(work);
            auto call = std::make_unique<Call>(*this);
            pending = call.get();
            return call;
        };
    }
    void Fire() {
        ASSERT_NE(pending, nullptr);
        // As a one-shot timer: the work may drop its call.
        auto run = std::move(work);
        run();
    }
    Call* pending = nullptr;
    std::function<void()> work;
    int lastMilliseconds = 0;
};

// The program's side: a form with a browser whose peer hands the changes
// to the remote window, as the GTK side's form peer does.
struct Program {
    struct Peer : component::ControlPeer {
        void PropertyChanged(component::TComponent& component, std::string_view property) override {
            if (window) window->PropertyChanged(component, property);
        }
        void BringToFront(TForm&) override {
            if (window) window->BringToFront();
        }
        RemoteFormWindow* window = nullptr;
    };

    Program() : browser(component::CreateComponent<TWebBrowser>(form, "browser")) {
        browser->SetParent(&form);
        form.SetCaption("VELORA");
        form.SetBorderStyle(bsDialog);
        form.SetClientWidth(420);
        form.SetClientHeight(530);
        browser->SetBounds(0, 0, 420, 530);
        window = std::make_unique<RemoteFormWindow>(form, *browser, process, timer.Make(), kIdle);
        peer.window = window.get();
        form.SetPeer(&peer);
    }
    ~Program() {
        form.SetPeer(nullptr);
        browser->SetBackend(nullptr);
    }

    WindowProcess& Window() { return *process.window; }

    TForm form{nullptr};
    TWebBrowser* browser;
    FakeProcess process;
    FakeTimer timer;
    std::unique_ptr<RemoteFormWindow> window;
    Peer peer;
};

}  // namespace

TEST(RemoteFormWindow, TheProcessComesWithTheFirstPageAndShowsTheFormsValuesWindowLast) {
    Program program;
    program.form.SetCaption("VELORA Desktop");
    program.browser->SetZoom(125);
    program.form.BringToFront();
    EXPECT_EQ(program.process.starts, 0);
    EXPECT_EQ(program.browser->LocationURL(), "");

    program.browser->Navigate("http://127.0.0.1:8663/send?lang=de");
    ASSERT_EQ(program.process.starts, 1);
    // Every value before the window is shown, the navigation after them.
    const auto& sent = program.process.sent;
    const auto visible = std::find(sent.begin(), sent.end(), RemoteFields{"set", "form", "Visible", "0"});
    ASSERT_NE(visible, sent.end());
    EXPECT_TRUE(std::none_of(visible + 1, sent.end(), [](const RemoteFields& f) { return f[0] == "set"; }));
    EXPECT_NE(std::find(sent.begin(), visible, RemoteFields{"set", "form", "Caption", "VELORA Desktop"}), visible);
    EXPECT_EQ(sent.back(), (RemoteFields{"navigate", "http://127.0.0.1:8663/send?lang=de"}));
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), [](const RemoteFields& f) { return f.size() > 2 && f[2] == "Name"; }));

    program.form.Show();
    program.process.Pump();
    WindowProcess& window = program.Window();
    EXPECT_EQ(window.form.Caption(), "VELORA Desktop");
    EXPECT_EQ(window.form.BorderStyle(), bsDialog);
    EXPECT_EQ(window.form.ClientWidth(), 420);
    EXPECT_EQ(window.browser->Height(), 530);
    EXPECT_EQ(window.browser->Zoom(), 125);
    EXPECT_TRUE(window.form.Visible());
    EXPECT_EQ(window.browser->LocationURL(), "http://127.0.0.1:8663/send?lang=de");
    EXPECT_GE(window.shown.fronts, 1);
    // Until the window tells otherwise, the page asked for.
    EXPECT_EQ(program.browser->LocationURL(), "http://127.0.0.1:8663/send?lang=de");

    program.form.SetCaption("VELORA Desktop (en)");
    program.browser->SetZoom(90);
    program.process.Pump();
    EXPECT_EQ(window.form.Caption(), "VELORA Desktop (en)");
    EXPECT_EQ(window.browser->Zoom(), 90);
    EXPECT_EQ(program.process.starts, 1);
}

TEST(RemoteFormWindow, WhatTheUserDoesInTheWindowComesBackAsModelCallsAndNotAgain) {
    Program program;
    int shows = 0, zoomChanges = 0;
    program.form.OnShow = [&](component::TComponent*) { ++shows; };
    program.browser->OnZoomChange = [&](component::TComponent*) { ++zoomChanges; };
    program.browser->Navigate("http://127.0.0.1:8663/send");
    program.form.Show();
    program.process.Pump();
    WindowProcess& window = program.Window();
    ASSERT_EQ(shows, 1);

    // Moved by the user: the form's place follows, and goes back no more.
    const std::size_t before = program.process.sent.size();
    window.form.SetLeft(77);
    window.form.SetTop(66);
    program.process.Pump();
    EXPECT_EQ(program.form.Left(), 77);
    EXPECT_EQ(program.form.Top(), 66);
    EXPECT_EQ(program.process.sent.size(), before);

    // A zoom key there: the program's zoom, told once, and the window's.
    window.browser->ChangeZoom(ZoomChange::In);
    program.process.Pump();
    EXPECT_EQ(program.browser->Zoom(), window.browser->Zoom());
    EXPECT_NE(program.browser->Zoom(), kZoomDefault);
    EXPECT_EQ(zoomChanges, 1);

    // The page went elsewhere.
    window.mirror.MessageArrived({"navigate", "http://127.0.0.1:8663/contacts"});
    window.mirror.PageStateChanged();
    program.process.Pump();
    EXPECT_EQ(program.browser->LocationURL(), "http://127.0.0.1:8663/contacts");
    EXPECT_FALSE(program.browser->Busy());

    // The close box asks the program's form, which hides both.
    window.form.Close();
    EXPECT_TRUE(window.form.Visible());
    program.process.Pump();
    EXPECT_FALSE(program.form.Visible());
    EXPECT_FALSE(window.form.Visible());

    // A notification's click shows the window there: the form shows here.
    window.form.Show();
    program.process.Pump();
    EXPECT_TRUE(program.form.Visible());
    EXPECT_EQ(shows, 2);
}

TEST(RemoteFormWindow, AHiddenWindowsProcessEndsAfterTheIdleTimeAndTheNextPageStartsAnother) {
    Program program;
    program.browser->Navigate("http://127.0.0.1:8663/send");
    program.form.Show();
    program.process.Pump();
    EXPECT_EQ(program.timer.pending, nullptr);

    // Shown again within the idle time: the process stays.
    program.form.Hide();
    ASSERT_NE(program.timer.pending, nullptr);
    EXPECT_EQ(program.timer.lastMilliseconds, kIdle);
    program.form.Show();
    EXPECT_EQ(program.timer.pending, nullptr);

    program.form.Hide();
    program.browser->SetZoom(150);
    program.timer.Fire();
    EXPECT_FALSE(program.process.Running());
    EXPECT_EQ(program.timer.pending, nullptr);
    // No page is shown now: a language switch navigates nothing.
    EXPECT_EQ(program.browser->LocationURL(), "");

    // A navigation while hidden starts a process whose idle time runs.
    program.browser->Navigate("http://127.0.0.1:8663/contacts");
    EXPECT_EQ(program.process.starts, 2);
    EXPECT_NE(program.timer.pending, nullptr);
    program.process.Pump();
    EXPECT_FALSE(program.Window().form.Visible());
    EXPECT_EQ(program.Window().browser->Zoom(), 150);
    EXPECT_EQ(program.Window().browser->LocationURL(), "http://127.0.0.1:8663/contacts");

    // Showing alone also starts one.
    program.timer.Fire();
    program.form.Show();
    EXPECT_EQ(program.process.starts, 3);
    program.process.Pump();
    EXPECT_TRUE(program.Window().form.Visible());
}

TEST(RemoteFormWindow, AProcessEndingByItselfTakesTheWindowAndTheNextPageBringsItBack) {
    Program program;
    program.browser->Navigate("http://127.0.0.1:8663/send");
    program.form.Show();
    program.process.Pump();

    program.process.Crash();
    EXPECT_FALSE(program.form.Visible());
    EXPECT_EQ(program.timer.pending, nullptr);
    EXPECT_EQ(program.browser->LocationURL(), "");

    program.browser->Navigate("http://127.0.0.1:8663/file");
    program.form.Show();
    program.process.Pump();
    EXPECT_EQ(program.process.starts, 2);
    EXPECT_TRUE(program.Window().form.Visible());
}

TEST(RemoteFormWindow, LinesThatDoNotFitChangeNothingOnEitherSide) {
    Program program;
    program.browser->Navigate("http://127.0.0.1:8663/send");
    program.form.Show();
    program.process.Pump();
    WindowProcess& window = program.Window();
    const int left = program.form.Left();

    for (const RemoteFields& line : std::vector<RemoteFields>{{""},
                                                             {"set", "form", "Left", "abc"},
                                                             {"set", "form", "Left", "99999999999"},
                                                             {"set", "form", "Nothing", "1"},
                                                             {"set", "form", "Name", "other"},
                                                             {"set", "form", "Hint", "from the window"},
                                                             {"set", "form", "BorderStyle", "99"},
                                                             {"set", "form", "BorderIcons", "4294967295"},
                                                             {"set", "other", "Left", "1"},
                                                             {"set", "form", "Left"},
                                                             {"close", "now"},
                                                             {"zoom", "big"},
                                                             {"location", "x"},
                                                             {"launch", "/bin/sh"}}) {
        program.process.toProgram.push_back(line);
        program.process.toWindow.push_back(line);
    }
    program.process.Pump();
    EXPECT_EQ(program.form.Left(), left);
    EXPECT_EQ(program.form.Name(), "");
    // The window tells only of what the user changes there.
    EXPECT_EQ(program.form.Hint(), "");
    EXPECT_EQ(window.form.Hint(), "from the window");
    EXPECT_EQ(program.form.BorderStyle(), bsDialog);
    EXPECT_TRUE(program.form.Visible());
    EXPECT_EQ(program.browser->Zoom(), kZoomDefault);
    EXPECT_EQ(program.browser->LocationURL(), "http://127.0.0.1:8663/send");
    EXPECT_EQ(window.form.Name(), "");
    EXPECT_TRUE(window.form.Visible());
    EXPECT_EQ(window.browser->Zoom(), kZoomDefault);
}
