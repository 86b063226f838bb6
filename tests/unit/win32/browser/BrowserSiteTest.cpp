// What the embedded browser's container answers the control, asked the way
// the control asks: through QueryInterface and the container's interfaces.
#ifdef _WIN32

#include <windows.h>
#include <ole2.h>
#include <mshtmhst.h>
#include <mshtmdid.h>
#include <idispids.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <vector>

#include "win32/browser/BrowserSite.h"
#include "win32/raii/ComObject.h"

using namespace velora::win32;

namespace {

// The control's in-place object as far as the site uses it: the rectangles.
class RecordingInPlaceObject final : public ComObject<IOleInPlaceObject> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        if (object) *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT) override {
        positions.push_back(*position);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    std::vector<RECT> positions;
};

class BrowserSiteTest : public testing::Test {
protected:
    void SetUp() override {
        top_ = CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 120, 80, top_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        site_ = BrowserSite::Create(host_);
    }
    void TearDown() override {
        site_.Reset();
        if (top_) DestroyWindow(top_);
    }

    template <class Interface>
    ComPtr<Interface> Ask() const {
        return site_.As<Interface>();
    }

    HWND top_ = nullptr;
    HWND host_ = nullptr;
    ComPtr<BrowserSite> site_;
};

}  // namespace

TEST_F(BrowserSiteTest, TheSiteAnswersItsInterfacesAndNamesTheHost) {
    EXPECT_TRUE(Ask<IOleClientSite>());
    EXPECT_TRUE(Ask<IOleInPlaceSite>());
    EXPECT_TRUE(Ask<IDocHostUIHandler>());
    EXPECT_TRUE(Ask<IDispatch>());
    EXPECT_TRUE(Ask<IUnknown>());
    // The frame is an object of its own, and the site has no document window.
    EXPECT_FALSE(Ask<IOleInPlaceFrame>());
    EXPECT_FALSE(Ask<IOleInPlaceUIWindow>());

    const ComPtr<IOleWindow> window = Ask<IOleWindow>();
    ASSERT_TRUE(window);
    HWND named = nullptr;
    EXPECT_EQ(window->GetWindow(&named), S_OK);
    EXPECT_EQ(named, host_);
    // The same object, whichever way it was reached.
    EXPECT_EQ(static_cast<IUnknown*>(window.As<IUnknown>().Get()), Ask<IUnknown>().Get());
}

TEST_F(BrowserSiteTest, TheFrameIsTheTopWindowAndOutlivesTheSiteWhileHeld) {
    ComPtr<IOleInPlaceSite> inPlaceSite = Ask<IOleInPlaceSite>();
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    ASSERT_EQ(inPlaceSite->GetWindowContext(frame.Receive(), document.Receive(), &position, &clip, &info), S_OK);
    ASSERT_TRUE(frame);
    EXPECT_FALSE(document);
    EXPECT_EQ(position.right, 120);
    EXPECT_EQ(position.bottom, 80);
    EXPECT_EQ(clip.right, 120);
    EXPECT_EQ(info.hwndFrame, top_);
    EXPECT_EQ(inPlaceSite->GetWindowContext(nullptr, document.Receive(), &position, &clip, &info), E_POINTER);

    EXPECT_TRUE(frame.As<IOleInPlaceUIWindow>());
    EXPECT_TRUE(frame.As<IOleWindow>());
    EXPECT_FALSE(frame.As<IOleClientSite>());

    // The control may keep the frame after it let go of the site.
    site_.Reset();
    inPlaceSite.Reset();
    HWND named = nullptr;
    EXPECT_EQ(frame->GetWindow(&named), S_OK);
    EXPECT_EQ(named, top_);
    // No border space for the control's toolbars, but "none at all" is granted.
    BORDERWIDTHS widths{0, 10, 0, 0};
    EXPECT_EQ(frame->SetBorderSpace(&widths), INPLACE_E_NOTOOLSPACE);
    EXPECT_EQ(frame->SetBorderSpace(nullptr), S_OK);
}

TEST_F(BrowserSiteTest, PositionChangesReachTheControlOnlyWhileAttached) {
    const ComPtr<RecordingInPlaceObject> control = ComPtr<RecordingInPlaceObject>::Adopt(new RecordingInPlaceObject);
    const ComPtr<IOleInPlaceSite> inPlaceSite = Ask<IOleInPlaceSite>();
    const RECT moved{1, 2, 30, 40};
    EXPECT_EQ(inPlaceSite->OnPosRectChange(&moved), S_OK);
    EXPECT_TRUE(control->positions.empty());

    site_->Attach(control.Get());
    EXPECT_EQ(inPlaceSite->OnPosRectChange(&moved), S_OK);
    ASSERT_EQ(control->positions.size(), 1u);
    EXPECT_TRUE(EqualRect(&control->positions[0], &moved));
    EXPECT_EQ(inPlaceSite->OnPosRectChange(nullptr), E_POINTER);

    site_->Detach();
    EXPECT_EQ(inPlaceSite->OnPosRectChange(&moved), S_OK);
    EXPECT_EQ(control->positions.size(), 1u);
}

TEST_F(BrowserSiteTest, AmbientPropertiesAskForSilenceAndTheDefaultDownloads) {
    const ComPtr<IDispatch> ambient = Ask<IDispatch>();
    const auto get = [&](DISPID property, VARIANT& value) {
        VariantInit(&value);
        DISPPARAMS none{};
        return ambient->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr,
                               nullptr);
    };
    VARIANT value;
    ASSERT_EQ(get(DISPID_AMBIENT_SILENT, value), S_OK);
    EXPECT_EQ(value.vt, VT_BOOL);
    EXPECT_EQ(value.boolVal, VARIANT_TRUE);
    ASSERT_EQ(get(DISPID_AMBIENT_DLCONTROL, value), S_OK);
    EXPECT_EQ(value.vt, VT_I4);
    EXPECT_EQ(value.lVal, DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_SILENT);
    // Every other property is the control's default.
    EXPECT_EQ(get(DISPID_AMBIENT_USERMODE, value), DISP_E_MEMBERNOTFOUND);
    DISPPARAMS none{};
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_SILENT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &value,
                              nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);

    const ComPtr<IDocHostUIHandler> host = Ask<IDocHostUIHandler>();
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(host->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER));
}

#endif  // _WIN32
