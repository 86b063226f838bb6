#include "gtk/tray/DeferredCalls.h"

#include <glib.h>

#include "gtk/ErrorDisplay.h"

namespace velora::gtk {

void DeferredCalls::Later(std::function<void()> action) {
    struct Work {
        std::shared_ptr<bool> alive;
        std::function<void()> action;
    };
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            auto* work = static_cast<Work*>(data);
            if (*work->alive) Guarded(work->action);
            return G_SOURCE_REMOVE;
        },
        new Work{alive_, std::move(action)}, [](gpointer data) { delete static_cast<Work*>(data); });
}

}  // namespace velora::gtk
