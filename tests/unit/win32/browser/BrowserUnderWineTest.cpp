// The browser control hosted by our own container, under Wine: there is no
// HTML engine there, so the tests look at what reaches the server and at
// what the control reports, never at a rendered page.
#ifdef _WIN32

#include <winsock2.h>
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <exdispid.h>

#include <cwchar>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/browser/BrowserEmulation.h"
#include "win32/browser/BrowserEvents.h"
#include "support/ForeignWindowClass.h"
#include "win32/browser/BrowserHostWindow.h"
#include "win32/browser/Win32WebBrowserPeer.h"
#include "controls/Form.h"
#include "controls/Panel.h"
#include "controls/WebBrowser.h"

using namespace velora;

namespace {

// Runs the thread's messages until `done` answers true or `milliseconds`
// have passed; the answer is `done`'s last one.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);
    }
}

template <class Function>
Function Load(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A listening socket on the loopback address that takes one connection and
// reads its request line. Winsock is loaded by hand: the test programs are
// not linked with it.
class OneRequestServer {
public:
    OneRequestServer() {
        module_ = LoadLibraryW(L"ws2_32.dll");
        if (!module_) return;
        auto startup = Load<decltype(&WSAStartup)>(module_, "WSAStartup");
        cleanup_ = Load<decltype(&WSACleanup)>(module_, "WSACleanup");
        auto openSocket = Load<decltype(&socket)>(module_, "socket");
        auto bindSocket = Load<decltype(&bind)>(module_, "bind");
        auto listenOn = Load<decltype(&listen)>(module_, "listen");
        auto nameOf = Load<decltype(&getsockname)>(module_, "getsockname");
        auto control = Load<decltype(&ioctlsocket)>(module_, "ioctlsocket");
        accept_ = Load<decltype(&accept)>(module_, "accept");
        receive_ = Load<decltype(&recv)>(module_, "recv");
        send_ = Load<decltype(&send)>(module_, "send");
        close_ = Load<decltype(&closesocket)>(module_, "closesocket");
        WSADATA data;
        if (startup(MAKEWORD(2, 2), &data) != 0) return;
        started_ = true;
        listener_ = openSocket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (listener_ == INVALID_SOCKET) return;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.S_un.S_un_b = {127, 0, 0, 1};
        address.sin_port = 0;  // any free port
        int length = sizeof address;
        u_long nonBlocking = 1;
        if (bindSocket(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listenOn(listener_, 4) != 0 || nameOf(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            control(listener_, FIONBIO, &nonBlocking) != 0)
            return;
        const auto* port = reinterpret_cast<const unsigned char*>(&address.sin_port);
        port_ = port[0] << 8 | port[1];
    }

    ~OneRequestServer() {
        if (listener_ != INVALID_SOCKET) close_(listener_);
        if (started_) cleanup_();
        if (module_) FreeLibrary(module_);
    }

    int Port() const { return port_; }
    std::string Url(const std::string& pathAndQuery) const {
        return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
    }

    // The first line of the first request, without its line end; empty when
    // none came in time. Answers with an empty page.
    std::string AwaitRequestLine(DWORD milliseconds) {
        SOCKET client = INVALID_SOCKET;
        std::string received;
        PumpUntil(
            [&] {
                if (client == INVALID_SOCKET) {
                    client = accept_(listener_, nullptr, nullptr);
                    if (client == INVALID_SOCKET) return false;
                }
                char buffer[1024];
                const int got = receive_(client, buffer, sizeof buffer, 0);
                if (got > 0) received.append(buffer, static_cast<size_t>(got));
                // Closed by the other side, or the line is complete.
                return got == 0 || received.find("\r\n") != std::string::npos;
            },
            milliseconds);
        if (client == INVALID_SOCKET) return {};
        static const char answer[] =
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        send_(client, answer, sizeof answer - 1, 0);
        close_(client);
        const size_t end = received.find("\r\n");
        return end == std::string::npos ? std::string() : received.substr(0, end);
    }

private:
    HMODULE module_ = nullptr;
    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    decltype(&WSACleanup) cleanup_ = nullptr;
    decltype(&accept) accept_ = nullptr;
    decltype(&recv) receive_ = nullptr;
    decltype(&send) send_ = nullptr;
    decltype(&closesocket) close_ = nullptr;
};

RECT ClientRectOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

// The window's place in its parent's client area.
RECT PlaceOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

MSG Message(HWND window, UINT message, WPARAM wParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.time = GetTickCount();
    return msg;
}

class BrowserUnderWine : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        frame_ = CreateWindowExW(0, L"STATIC", L"browser test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 480, 600,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, frame_);
        ShowWindow(frame_, SW_SHOWNA);
        ASSERT_NE(0, server_.Port());
    }
    void TearDown() override {
        if (frame_) DestroyWindow(frame_);
        OleUninitialize();
    }

    HWND frame_ = nullptr;
    OneRequestServer server_;
};

}  // namespace

TEST_F(BrowserUnderWine, NavigationSendsTheWholeQueryAndTheLocationFollows) {
    win32::BrowserHostWindow host(frame_, RECT{0, 0, 420, 530}, true);
    ASSERT_NE(nullptr, host.Handle());
    wchar_t className[64] = {};
    GetClassNameW(host.Handle(), className, 64);
    EXPECT_STREQ(L"TWebBrowserHost", className);
    EXPECT_EQ("", host.LocationUrl());
    EXPECT_FALSE(host.Busy());
    // The control comes with the first page, not with the window.
    host.SetBounds(RECT{5, 6, 305, 206});
    EXPECT_EQ(nullptr, GetWindow(host.Handle(), GW_CHILD));
    MSG beforeAnyPage = Message(host.Handle(), WM_KEYDOWN, VK_TAB);
    EXPECT_FALSE(host.BrowserMessageHook(beforeAnyPage));

    // The doubled "&" of the service's page texts travels as it is.
    const std::string url = server_.Url("/send?sApp=DW&&bSmallApp=1&sMd5Login=0a1b&lang=de");
    host.Navigate(url);
    EXPECT_EQ("GET /send?sApp=DW&&bSmallApp=1&sMd5Login=0a1b&lang=de HTTP/1.1", server_.AwaitRequestLine(15000));
    EXPECT_TRUE(PumpUntil([&] { return host.LocationUrl() == url; }, 5000)) << host.LocationUrl();
    EXPECT_TRUE(PumpUntil([&] { return !host.Busy(); }, 5000));

    // The control lives in the host and fills it, and follows its size.
    const HWND control = GetWindow(host.Handle(), GW_CHILD);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(300, ClientRectOf(control).right);
    EXPECT_EQ(200, ClientRectOf(control).bottom);
    host.SetBounds(RECT{0, 0, 420, 530});
    EXPECT_EQ(420, ClientRectOf(control).right);
    EXPECT_EQ(530, ClientRectOf(control).bottom);
}

TEST_F(BrowserUnderWine, MessageHookTakesOnlyTheBrowsersMessages) {
    auto host = std::make_unique<win32::BrowserHostWindow>(frame_, RECT{0, 0, 420, 530}, true);
    host->Navigate(server_.Url("/contacts?sApp=DW&bSmallApp=1"));
    EXPECT_NE("", server_.AwaitRequestLine(15000));
    ASSERT_TRUE(PumpUntil([&] { return !host->Busy(); }, 5000));

    // Messages for another window are left to the normal dispatch.
    MSG other = Message(frame_, WM_KEYDOWN, 'A');
    EXPECT_FALSE(host->BrowserMessageHook(other));

    // The host's and the control's messages go through the dialog manager
    // and, when not busy, on to the in-place active object: the filtered
    // editing keys as well as the others.
    const HWND control = GetWindow(host->Handle(), GW_CHILD);
    for (HWND target : {host->Handle(), control}) {
        for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            for (WPARAM key : {WPARAM{VK_BACK}, WPARAM{VK_LEFT}, WPARAM{VK_DOWN}, WPARAM{'A'}, WPARAM{VK_F5}}) {
                MSG msg = Message(target, message, key);
                EXPECT_TRUE(host->BrowserMessageHook(msg)) << message << " " << key;
            }
        }
        MSG typed = Message(target, WM_CHAR, 'a');
        EXPECT_TRUE(host->BrowserMessageHook(typed));
    }

    // Focusing the host activates the page's user interface, and the focus
    // stays with the host's windows (Wine's control, without a page, keeps
    // it on the host).
    SetFocus(host->Handle());
    PumpUntil([] { return false; }, 100);
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == host->Handle() || IsChild(host->Handle(), focus));

    // With its window gone, with the parent, there is no browser any more.
    const HWND window = host->Handle();
    DestroyWindow(frame_);
    frame_ = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, host->Handle());
    MSG late = Message(window, WM_KEYDOWN, 'A');
    EXPECT_FALSE(host->BrowserMessageHook(late));
    host->Navigate(server_.Url("/late"));
    EXPECT_EQ("", host->LocationUrl());
    host.reset();
}

TEST_F(BrowserUnderWine, PeerPutsTheModelsBrowserAtItsPlace) {
    controls::TForm form(nullptr);
    auto* panel = component::CreateComponent<controls::TPanel>(form, "panel");
    auto* browser = component::CreateComponent<controls::TWebBrowser>(form, "browser");
    panel->SetBounds(4, 5, 450, 400);
    browser->SetParent(panel);
    browser->SetBounds(6, 15, 400, 300);

    auto peer = std::make_unique<win32::Win32WebBrowserPeer>(*browser, frame_);
    EXPECT_EQ(static_cast<platform::WebBrowser*>(peer.get()), browser->Backend());
    EXPECT_EQ(frame_, GetParent(peer->Handle()));
    RECT place = PlaceOf(peer->Handle());
    EXPECT_EQ(10, place.left);
    EXPECT_EQ(20, place.top);
    EXPECT_EQ(410, place.right);
    EXPECT_EQ(320, place.bottom);

    browser->SetWidth(200);
    peer->PropertyChanged("Width");
    EXPECT_EQ(210, PlaceOf(peer->Handle()).right);
    // A hidden container hides the browser inside.
    panel->SetVisible(false);
    peer->PropertyChanged("Visible");
    EXPECT_FALSE(IsWindowVisible(peer->Handle()));

    const std::string url = server_.Url("/send?method=reminder&sApp=DW&&bSmallApp=1&lang=en");
    browser->Navigate(url);
    EXPECT_EQ("GET /send?method=reminder&sApp=DW&&bSmallApp=1&lang=en HTTP/1.1", server_.AwaitRequestLine(15000));
    EXPECT_TRUE(PumpUntil([&] { return browser->LocationURL() == url; }, 5000)) << browser->LocationURL();

    MSG forBrowser = Message(peer->Handle(), WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(win32::BrowserMessageHook(browser, forBrowser));
    EXPECT_FALSE(win32::BrowserMessageHook(nullptr, forBrowser));
    browser->SetBackend(nullptr);
    EXPECT_FALSE(win32::BrowserMessageHook(browser, forBrowser));
}

// Without an HTML engine the control has no page to zoom: what can be seen
// is that the keys and the wheel reach the model, and the model's zoom the
// control's optical zoom call.
TEST_F(BrowserUnderWine, ZoomKeysAndCtrlWithTheWheelReachTheControlsOpticalZoom) {
    controls::TForm form(nullptr);
    auto* browser = component::CreateComponent<controls::TWebBrowser>(form, "browser");
    browser->SetBounds(0, 0, 420, 530);
    int reported = 0;
    browser->OnZoomChange = [&](component::TComponent*) { ++reported; };
    // As read from the settings, before the window exists.
    browser->SetZoom(150);
    auto peer = std::make_unique<win32::Win32WebBrowserPeer>(*browser, frame_);
    const win32::BrowserHostWindow& host = peer->Host();
    EXPECT_EQ(100, host.AppliedZoom());
    EXPECT_EQ(S_FALSE, host.ZoomResult());

    browser->Navigate(server_.Url("/send?sApp=DW&&bSmallApp=1"));
    EXPECT_NE("", server_.AwaitRequestLine(15000));
    ASSERT_TRUE(PumpUntil([&] { return !browser->Busy(); }, 5000));
    // The first message once the page is there hands the zoom over.
    MSG idle = Message(peer->Handle(), WM_MOUSEMOVE, 0);
    win32::BrowserMessageHook(browser, idle);
    EXPECT_EQ(150, host.AppliedZoom());
    EXPECT_NE(S_FALSE, host.ZoomResult()) << "the control's zoom was not asked for";

    const HWND control = GetWindow(peer->Handle(), GW_CHILD);
    ASSERT_NE(nullptr, control);
    const auto holdCtrl = [](bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    const auto hook = [&](HWND target, UINT message, WPARAM wParam) {
        MSG msg = Message(target, message, wParam);
        return win32::BrowserMessageHook(browser, msg);
    };
    holdCtrl(true);
    EXPECT_TRUE(hook(control, WM_KEYDOWN, VK_OEM_PLUS));
    EXPECT_EQ(175, browser->Zoom());
    EXPECT_EQ(175, host.AppliedZoom());
    EXPECT_TRUE(hook(peer->Handle(), WM_KEYDOWN, VK_SUBTRACT));
    EXPECT_EQ(150, host.AppliedZoom());
    EXPECT_TRUE(hook(control, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA)));
    EXPECT_EQ(175, host.AppliedZoom());
    EXPECT_TRUE(hook(control, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA))));
    EXPECT_EQ(150, host.AppliedZoom());
    EXPECT_TRUE(hook(control, WM_KEYDOWN, '0'));
    EXPECT_EQ(100, browser->Zoom());
    EXPECT_EQ(100, host.AppliedZoom());
    EXPECT_EQ(5, reported);

    // For another window, or without Ctrl, they are not the zoom's.
    EXPECT_FALSE(hook(frame_, WM_KEYDOWN, VK_OEM_PLUS));
    holdCtrl(false);
    hook(control, WM_KEYDOWN, VK_OEM_PLUS);
    hook(control, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    EXPECT_EQ(100, browser->Zoom());
    EXPECT_EQ(5, reported);

    // Set from outside (a stored value) it goes to the control at once.
    browser->SetZoom(67);
    EXPECT_EQ(67, host.AppliedZoom());
}

TEST_F(BrowserUnderWine, AHostWhoseWindowClassCannotBeRegisteredFailsTheStart) {
    const auto openHost = [this] { win32::BrowserHostWindow host(frame_, RECT{0, 0, 100, 100}, true); };
    {
        // A class "TWebBrowserHost" of another window procedure, kept in use
        // by a window of its own: the host's class cannot take its place.
        const fakes::ForeignWindowClass foreign(L"TWebBrowserHost", fakes::ForeignWindowClass::InUse);
        ASSERT_TRUE(foreign.Ready(fakes::ForeignWindowClass::InUse));
        EXPECT_THROW(openHost(), std::runtime_error);
        // No window of the stranger's class was made to hold the browser.
        EXPECT_EQ(nullptr, FindWindowExW(frame_, nullptr, L"TWebBrowserHost", nullptr));
    }
    // With the stranger gone the host comes up again.
    win32::BrowserHostWindow host(frame_, RECT{0, 0, 100, 100}, true);
    EXPECT_NE(nullptr, host.Handle());
}

namespace {

// The file name of the running test program, which stands for the program's.
std::wstring OwnFileName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* slash = wcsrchr(path, L'\\');
    return slash ? slash + 1 : path;
}

}  // namespace

TEST(BrowserEmulation, TheProgramsFileNameGetsTheCurrentEngine) {
    const std::wstring name = OwnFileName();
    constexpr wchar_t key[] =
        L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
        RegDeleteValueW(opened, name.c_str());
        RegCloseKey(opened);
    }

    EXPECT_TRUE(win32::SetBrowserEmulation());

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened));
    DWORD type = 0, value = 0, size = sizeof value;
    const LONG result = RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(opened);
    ASSERT_EQ(ERROR_SUCCESS, result);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(11001u, value);
}

namespace {
// The program's value under the feature control `feature`, removed first
// when `fresh`; nothing when it is missing.
std::optional<DWORD> FeatureValue(const wchar_t* feature, bool fresh) {
    const std::wstring key = std::wstring(L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\") + feature;
    HKEY opened = nullptr;
    if (fresh) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
            RegDeleteValueW(opened, OwnFileName().c_str());
            RegCloseKey(opened);
        }
        return std::nullopt;
    }
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof value;
    const LONG result =
        RegQueryValueExW(opened, OwnFileName().c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
    return value;
}

// NewWindow3's five arguments as the control passes them, last first.
struct NewWindowCall {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IDispatch* window = nullptr;
    VARIANT arguments[5]{};
    DISPPARAMS parameters{arguments, nullptr, 5, 0};

    explicit NewWindowCall(const wchar_t* url) {
        arguments[4].vt = VT_BYREF | VT_DISPATCH;
        arguments[4].ppdispVal = &window;
        arguments[3].vt = VT_BYREF | VT_BOOL;
        arguments[3].pboolVal = &cancel;
        arguments[2].vt = VT_I4;
        arguments[2].lVal = 0;
        arguments[1].vt = VT_BSTR;
        arguments[1].bstrVal = SysAllocString(L"http://127.0.0.1/send");
        arguments[0].vt = VT_BSTR;
        arguments[0].bstrVal = url ? SysAllocString(url) : nullptr;
    }
    ~NewWindowCall() {
        SysFreeString(arguments[1].bstrVal);
        if (arguments[0].vt == VT_BSTR) SysFreeString(arguments[0].bstrVal);
    }
    HRESULT SendTo(IDispatch& sink, DISPID member = DISPID_NEWWINDOW3) {
        return sink.Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
    }
};
}  // namespace

TEST(BrowserEmulation, TheProgramsFileNameGetsSpellChecking) {
    FeatureValue(L"FEATURE_SPELLCHECKING", true);
    EXPECT_FALSE(FeatureValue(L"FEATURE_SPELLCHECKING", false));
    EXPECT_TRUE(win32::SetBrowserSpellChecking());
    EXPECT_EQ(FeatureValue(L"FEATURE_SPELLCHECKING", false), 1u);
    // The emulation value is another one, untouched.
    EXPECT_TRUE(win32::SetBrowserEmulation());
    EXPECT_EQ(FeatureValue(L"FEATURE_BROWSER_EMULATION", false), 11001u);
    EXPECT_EQ(FeatureValue(L"FEATURE_SPELLCHECKING", false), 1u);
}

TEST(BrowserEvents, ANewWindowIsRefusedAndItsAddressHandedOn) {
    std::vector<std::string> opened;
    const auto sink = win32::BrowserEvents::Create([&opened](const std::string& url) { opened.push_back(url); });
    // The control finds the sink as its event interface.
    IDispatch* events = nullptr;
    ASSERT_EQ(S_OK, sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events)));
    events->Release();

    NewWindowCall call(L"http://elsewhere.example/page?x=1");
    EXPECT_EQ(S_OK, call.SendTo(*sink.Get()));
    EXPECT_EQ(VARIANT_TRUE, call.cancel);
    EXPECT_EQ(opened, std::vector<std::string>{"http://elsewhere.example/page?x=1"});

    // No address: refused all the same, nothing to open.
    NewWindowCall empty(nullptr);
    EXPECT_EQ(S_OK, empty.SendTo(*sink.Get()));
    EXPECT_EQ(VARIANT_TRUE, empty.cancel);
    EXPECT_EQ(opened.size(), 1u);
}

TEST(BrowserEvents, OtherEventsAndMalformedArgumentsAreLeftAlone) {
    int calls = 0;
    const auto sink = win32::BrowserEvents::Create([&calls](const std::string&) { ++calls; });
    NewWindowCall other(L"http://elsewhere.example/");
    EXPECT_EQ(S_OK, other.SendTo(*sink.Get(), DISPID_BEFORENAVIGATE2));
    EXPECT_EQ(VARIANT_FALSE, other.cancel);

    NewWindowCall wrongCancel(L"http://elsewhere.example/");
    wrongCancel.arguments[3].vt = VT_BOOL;
    EXPECT_EQ(S_OK, wrongCancel.SendTo(*sink.Get()));
    NewWindowCall wrongUrl(L"http://elsewhere.example/");
    SysFreeString(wrongUrl.arguments[0].bstrVal);
    wrongUrl.arguments[0].vt = VT_I4;
    EXPECT_EQ(S_OK, wrongUrl.SendTo(*sink.Get()));
    NewWindowCall fewer(L"http://elsewhere.example/");
    fewer.parameters.cArgs = 4;
    EXPECT_EQ(S_OK, fewer.SendTo(*sink.Get()));
    EXPECT_EQ(S_OK, sink->Invoke(DISPID_NEWWINDOW3, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr,
                                 nullptr));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(VARIANT_FALSE, fewer.cancel);
}

#endif  // _WIN32
