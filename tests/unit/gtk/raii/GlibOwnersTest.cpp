// The owners of GLib's references give each back exactly once, whichever
// way the reference came and wherever the owner moves.
#ifdef VELORA_GTK

#include <gio/gio.h>

#include <gtest/gtest.h>

#include <utility>

#include "gtk/raii/GlibError.h"
#include "gtk/raii/GlibString.h"
#include "gtk/raii/ObjectRef.h"
#include "gtk/raii/VariantRef.h"

namespace velora::gtk {
namespace {

// Counts how often the object is finalised.
void CountFinalised(gpointer count, GObject*) { ++*static_cast<int*>(count); }

GCancellable* WatchedCancellable(int& finalised) {
    GCancellable* object = g_cancellable_new();
    g_object_weak_ref(G_OBJECT(object), &CountFinalised, &finalised);
    return object;
}

TEST(ObjectRef, AdoptedSharedCopiedAndMovedReferencesAreEachGivenBackOnce) {
    int finalised = 0;
    {
        auto adopted = ObjectRef<GCancellable>::Adopt(WatchedCancellable(finalised));
        ObjectRef<GCancellable> copy = adopted;
        ObjectRef<GCancellable> moved = std::move(adopted);
        EXPECT_FALSE(adopted);
        EXPECT_EQ(copy.Get(), moved.Get());
        {
            auto shared = ObjectRef<GCancellable>::Share(moved.Get());
            EXPECT_EQ(G_OBJECT(shared.Get())->ref_count, 3u);
        }
        moved = ObjectRef<GCancellable>();
        EXPECT_EQ(finalised, 0);
    }
    EXPECT_EQ(finalised, 1);

    // Released, the reference is the caller's; reset, the old one goes.
    GCancellable* released = ObjectRef<GCancellable>::Adopt(WatchedCancellable(finalised)).Release();
    EXPECT_EQ(finalised, 1);
    ObjectRef<GCancellable> owner;
    owner.Reset(released);
    owner.Reset(WatchedCancellable(finalised));
    EXPECT_EQ(finalised, 2);
    owner = std::move(owner);
    EXPECT_TRUE(owner);
    owner.Reset();
    EXPECT_EQ(finalised, 3);
    EXPECT_FALSE(ObjectRef<GCancellable>::Share(nullptr));
}

TEST(ObjectRef, SinkTakesAFloatingReferenceAndAddsToAFirmOne) {
    GObject* floating = G_OBJECT(g_object_new(G_TYPE_INITIALLY_UNOWNED, nullptr));
    ASSERT_TRUE(g_object_is_floating(floating));
    int finalised = 0;
    g_object_weak_ref(floating, &CountFinalised, &finalised);
    {
        auto sunk = ObjectRef<GObject>::Sink(floating);
        EXPECT_FALSE(g_object_is_floating(floating));
        EXPECT_EQ(floating->ref_count, 1u);
        auto again = ObjectRef<GObject>::Sink(floating);
        EXPECT_EQ(floating->ref_count, 2u);
    }
    EXPECT_EQ(finalised, 1);
}

TEST(VariantRef, SinksAFloatingVariantAndAdoptsAFullOne) {
    auto sunk = VariantRef::Sink(g_variant_new_string("text"));
    ASSERT_TRUE(sunk);
    EXPECT_FALSE(g_variant_is_floating(sunk.Get()));
    // Kept alive by a second reference, the variant shows the owner's drop.
    GVariant* kept = g_variant_ref(sunk.Get());
    sunk.Reset();
    EXPECT_FALSE(sunk);
    EXPECT_STREQ(g_variant_get_string(kept, nullptr), "text");

    auto adopted = VariantRef::Adopt(kept);
    VariantRef moved = std::move(adopted);
    EXPECT_FALSE(adopted);
    EXPECT_EQ(moved.Get(), kept);
    EXPECT_FALSE(VariantRef::Sink(nullptr));
}

TEST(GlibError, ReceivesAReportedErrorFreesItAndTakesTheNextOne) {
    GlibError error;
    EXPECT_FALSE(error);
    EXPECT_EQ(error.Message(), "");
    g_set_error(error.Receive(), G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "first %d", 1);
    EXPECT_TRUE(error.Matches(G_IO_ERROR, G_IO_ERROR_NOT_FOUND));
    EXPECT_EQ(error.Message(), "first 1");
    // A second call may write again: the first error is gone, not leaked
    // (the sanitizer's leak check tells) nor written over (GLib warns).
    g_set_error_literal(error.Receive(), G_IO_ERROR, G_IO_ERROR_CANCELLED, "second");
    EXPECT_EQ(error.Message(), "second");
    GlibError moved = std::move(error);
    EXPECT_FALSE(error);
    EXPECT_TRUE(moved.Matches(G_IO_ERROR, G_IO_ERROR_CANCELLED));
}

TEST(GlibString, OwnsWhatGlibAllocatedAndReadsNoStringAsEmpty) {
    GlibString none;
    EXPECT_EQ(none.View(), "");
    EXPECT_FALSE(none);
    GlibString text(g_strdup_printf("%s+%d", "Deutschland", 49));
    EXPECT_EQ(text.View(), "Deutschland+49");
    GlibString moved = std::move(text);
    EXPECT_FALSE(text);
    EXPECT_EQ(moved.Copy(), "Deutschland+49");
}

}  // namespace
}  // namespace velora::gtk

#endif  // VELORA_GTK
