#include "gtk/controls/GtkMemoPeer.h"

#include <gtk/gtk.h>

#include "gtk/AnsiText.h"
#include "gtk/GtkFormPeer.h"
#include "gtk/raii/GlibString.h"
#include "controls/Memo.h"

namespace velora::gtk {

GtkMemoPeer::GtkMemoPeer(controls::TMemo& memo, const GtkPeerContext& context)
    : GtkWidgetPeer(memo, context), memo_(memo), view_(gtk_text_view_new()) {
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scrolled), view_);
    gtk_widget_show(view_);
    gtk_text_view_set_editable(GTK_TEXT_VIEW(view_), !memo.ReadOnly());
    gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view_), !memo.ReadOnly());
    gtk_text_view_set_left_margin(GTK_TEXT_VIEW(view_), 2);
    // Tab leaves the text for the next control, also where it is editable.
    gtk_text_view_set_accepts_tab(GTK_TEXT_VIEW(view_), FALSE);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), DisplayText(JoinedLines()).c_str(), -1);
    g_signal_connect(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), "changed",
                     G_CALLBACK(+[](GtkTextBuffer*, gpointer data) {
                         auto* self = static_cast<GtkMemoPeer*>(data);
                         if (self->writingModel_ || self->memo_.ReadOnly()) return;
                         Guarded([self] {
                             FlagGuard guard(self->writingModel_);
                             self->memo_.Lines().SetText(FromUtf8(self->ShownText()));
                         });
                     }),
                     this);
    Place(scrolled);
    ApplyScrolling();
}

std::string GtkMemoPeer::JoinedLines() const {
    std::string text;
    const component::TStrings& lines = memo_.Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::string GtkMemoPeer::ShownText() const {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_));
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    return GlibString(gtk_text_buffer_get_text(buffer, &start, &end, FALSE)).Copy();
}

void GtkMemoPeer::ApplyScrolling() {
    const auto bars = memo_.ScrollBars();
    const bool vertical = bars == controls::ssVertical || bars == controls::ssBoth;
    const bool horizontal = bars == controls::ssHorizontal || bars == controls::ssBoth;
    // Without a horizontal bar long lines wrap, as a Windows memo wraps them.
    const bool wraps = memo_.WordWrap() && !horizontal;
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(widget_), horizontal ? GTK_POLICY_ALWAYS : GTK_POLICY_NEVER,
                                   vertical ? GTK_POLICY_ALWAYS : GTK_POLICY_NEVER);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view_), wraps ? GTK_WRAP_WORD_CHAR : GTK_WRAP_NONE);
}

void GtkMemoPeer::ApplyFont() {
    GtkWidgetPeer::ApplyFont();
    context_.formPeer.ApplyFont(view_, memo_);
}

bool GtkMemoPeer::OwnPropertyChanged(std::string_view property) {
    if (property == "Lines") {
        const std::string text = DisplayText(JoinedLines());
        if (!writingModel_ && ShownText() != text) {
            FlagGuard guard(writingModel_);
            gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view_)), text.c_str(), -1);
        }
    } else if (property == "ReadOnly") {
        gtk_text_view_set_editable(GTK_TEXT_VIEW(view_), !memo_.ReadOnly());
        gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view_), !memo_.ReadOnly());
    } else if (property == "ScrollBars" || property == "WordWrap") {
        ApplyScrolling();
    } else {
        return false;
    }
    return true;
}

}  // namespace velora::gtk
