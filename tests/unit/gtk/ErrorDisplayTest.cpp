// The error display's box waits for its answer, and an end asked for
// meanwhile (a signal) closes it, as it closes a modal form. Needs a display
// (ctest runs test_gtk under xvfb-run).
#ifdef VELORA_GTK

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/Application.h"
#include "gtk/ErrorDisplay.h"
#include "gtk/raii/GlibString.h"

namespace velora::gtk {
namespace {

// The visible message box of the program's title, if one shows.
GtkWidget* ShownBox() {
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* window = windows; window; window = window->next) {
        if (GTK_IS_MESSAGE_DIALOG(window->data) && gtk_widget_get_visible(GTK_WIDGET(window->data)) &&
            g_strcmp0(gtk_window_get_title(GTK_WINDOW(window->data)), "VELORA Desktop") == 0)
            found = GTK_WIDGET(window->data);
    }
    g_list_free(windows);
    return found;
}

// Runs `step` once from the loop, 50 ms after the box was asked for.
guint Soon(std::function<void()>& step) {
    return g_timeout_add(
        50,
        [](gpointer data) -> gboolean {
            (*static_cast<std::function<void()>*>(data))();
            return G_SOURCE_REMOVE;
        },
        &step);
}

class ErrorDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

    // Answers a box still open after five seconds, so that a box that does
    // not close fails the test instead of holding it up.
    void StartPatience() {
        patience_ = g_timeout_add_seconds(
            5,
            [](gpointer self) -> gboolean {
                auto* test = static_cast<ErrorDisplay*>(self);
                test->patience_ = 0;
                if (GtkWidget* box = ShownBox()) {
                    test->patienceAnswered_ = true;
                    gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
                }
                return G_SOURCE_REMOVE;
            },
            this);
    }
    void TearDown() override {
        if (patience_) g_source_remove(patience_);
    }

    guint patience_ = 0;
    bool patienceAnswered_ = false;
};

TEST_F(ErrorDisplay, TheBoxShowsTheErrorUntilItIsAnsweredAndThenGoes) {
    std::string shownText;
    std::function<void()> answer = [&] {
        GtkWidget* box = ShownBox();
        ASSERT_NE(box, nullptr) << "no error box";
        gchar* text = nullptr;
        g_object_get(box, "text", &text, nullptr);
        shownText = GlibString(text).Copy();
        gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    };
    Soon(answer);
    StartPatience();
    ShowException(std::make_exception_ptr(std::runtime_error("The disk is full")));
    EXPECT_FALSE(patienceAnswered_);
    EXPECT_NE(shownText.find("The disk is full"), std::string::npos) << shownText;
    EXPECT_EQ(ShownBox(), nullptr);
}

TEST_F(ErrorDisplay, AnEndAskedForWhileTheBoxShowsClosesIt) {
    app::TApplication application;
    application.OnTerminate = [] { g_main_context_wakeup(nullptr); };
    bool seen = false;
    std::function<void()> end = [&] {
        seen = ShownBox() != nullptr;
        application.Terminate();
    };
    Soon(end);
    StartPatience();
    ShowException(std::make_exception_ptr(std::runtime_error("The disk is full")));
    EXPECT_TRUE(seen) << "no error box";
    EXPECT_FALSE(patienceAnswered_) << "the box stayed until it was answered";
    EXPECT_EQ(ShownBox(), nullptr);
}

}  // namespace
}  // namespace velora::gtk

#endif  // VELORA_GTK
