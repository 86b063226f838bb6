// Device contexts and GDI objects: given back the way they were obtained,
// with the DC's former selection restored, also when drawing fails.
// Windows only (run under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "win32/FontCache.h"
#include "win32/WindowClass.h"
#include "win32/raii/DeviceContexts.h"
#include "win32/raii/GdiObjects.h"

using namespace velora::win32;

namespace {

LOGFONTW Described(const wchar_t* face, LONG height, LONG weight) {
    LOGFONTW font{};
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    font.lfHeight = height;
    font.lfWeight = weight;
    return font;
}

OwnedFont NewFont(const wchar_t* face, LONG height, LONG weight) {
    const LOGFONTW description = Described(face, height, weight);
    return OwnedFont(CreateFontIndirectW(&description));
}

bool IsGdiObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

}  // namespace

TEST(SelectedObject, PutsTheFormerObjectBackWhateverWasSelectedMeanwhile) {
    const ClientDC screen(nullptr);
    ASSERT_NE(screen.Get(), nullptr);
    const MemoryDC dc(CreateCompatibleDC(screen.Get()));
    ASSERT_TRUE(dc.Valid());
    const OwnedFont first = NewFont(L"Arial", -12, FW_NORMAL);
    const OwnedFont second = NewFont(L"Arial", -20, FW_BOLD);
    ASSERT_TRUE(first.Valid() && second.Valid());
    const HGDIOBJ former = GetCurrentObject(dc.Get(), OBJ_FONT);

    try {
        SelectedObject selection(dc.Get(), first.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), first.Get());
        selection.Select(second.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), second.Get());
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), former);
}

TEST(GdiObjects, DeletedWithTheirOwnerOnly) {
    HFONT font = nullptr;
    HDC memory = nullptr;
    {
        OwnedFont owner = NewFont(L"Arial", -12, FW_NORMAL);
        font = owner.Get();
        OwnedFont next = std::move(owner);
        EXPECT_TRUE(IsGdiObject(font));
        const ClientDC screen(nullptr);
        const MemoryDC dc(CreateCompatibleDC(screen.Get()));
        memory = dc.Get();
        EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_FALSE(IsGdiObject(font));
    EXPECT_FALSE(IsGdiObject(memory));
}

TEST(FontCache, OneFontPerDescriptionDeletedWithTheCache) {
    HFONT normal = nullptr, bold = nullptr;
    {
        FontCache cache;
        LOGFONTW description = Described(L"Arial", -12, FW_NORMAL);
        normal = cache.Font(description);
        // What follows the face's end does not make another font.
        description.lfFaceName[LF_FACESIZE - 1] = L'x';
        EXPECT_EQ(cache.Font(description), normal);
        bold = cache.Font(Described(L"Arial", -12, FW_BOLD));
        EXPECT_NE(bold, normal);
        EXPECT_NE(cache.Font(Described(L"Arial Black", -12, FW_NORMAL)), normal);
        EXPECT_EQ(cache.Size(), 3u);

        LOGFONTW created{};
        ASSERT_NE(GetObjectW(bold, sizeof created, &created), 0);
        EXPECT_EQ(created.lfWeight, FW_BOLD);
        EXPECT_EQ(created.lfHeight, -12);
    }
    EXPECT_FALSE(IsGdiObject(normal));
    EXPECT_FALSE(IsGdiObject(bold));
}

// A paint handler that fails still ends the paint: the window is valid
// afterwards, instead of being painted again and again.
TEST(PaintDC, EndsThePaintAlsoWhenPaintingFails) {
    static int paints = 0;
    paints = 0;
    const WNDPROC failingPaint = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
        ++paints;
        try {
            const PaintDC dc(window);
            if (dc.Get()) throw std::runtime_error("paint failed");
        } catch (const std::runtime_error&) {
        }
        return 0;
    };
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass({.name = L"VeloraFailingPaint", .procedure = failingPaint, .instance = instance});
    HWND window = CreateWindowExW(0, L"VeloraFailingPaint", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, instance, nullptr);
    ASSERT_NE(window, nullptr);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(paints, 1);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    DestroyWindow(window);
}

#endif  // _WIN32
