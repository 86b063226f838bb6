// The program's download engine as the update dialog uses it for the
// installer: the HTTP grabber with the program's WinInet client and
// user-interface dispatcher, a visible window whose progress bar follows
// every progress event as the dialog's does, and a message loop. Prints the
// milliseconds from the start of the transfer to the saved file, the bytes
// saved and the number of progress events handled.
//
//   bench_engine_download <http URL> <file>
//
// Exit code 0 when the engine saved the file, 1 when it reported an error or
// ended without a result.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/UpdateDownload.h"
#include "net/HttpUrlGrabber.h"
#include "win32/WideText.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32HttpClient.h"
#include "win32/Win32UiThreadDispatcher.h"

namespace {

using namespace velora;

constexpr wchar_t kWindowClass[] = L"VeloraBenchDownload";

// The update dialog's progress bar: the native bar is told the range and
// the position whenever either changes.
class ProgressBar {
public:
    explicit ProgressBar(HWND window) : window_(window) {}
    void Show(std::int64_t position, std::int64_t total) {
        const int max = static_cast<int>(total);
        const int clamped = static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(position, 0), max));
        if (max != max_) {
            max_ = max;
            Apply();
        }
        if (clamped != position_) {
            position_ = clamped;
            Apply();
        }
    }

private:
    void Apply() {
        SendMessageW(window_, PBM_SETRANGE32, 0, static_cast<LPARAM>(max_));
        SendMessageW(window_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
    HWND window_;
    int max_ = 100;
    int position_ = 0;
};

HWND CreateDialogWindow(HINSTANCE instance, HWND& bar) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &DefWindowProcW;
    cls.hInstance = instance;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&cls)) return nullptr;
    HWND window = CreateWindowExW(0, kWindowClass, L"Update", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100, 420,
                                  300, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 8, 240, 389, 17, window, nullptr, instance,
                          nullptr);
    return bar ? window : nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: bench_engine_download <http URL> <file>\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND barWindow = nullptr;
    HWND window = CreateDialogWindow(GetModuleHandleW(nullptr), barWindow);
    if (!window) {
        std::fwprintf(stderr, L"cannot create the window: error %lu\n", GetLastError());
        return 1;
    }
    ProgressBar bar(barWindow);

    win32::Win32FileSystem files;
    net::UrlGrabberServices services{std::make_shared<win32::Win32HttpClient>(),
                                     std::make_shared<win32::Win32UiThreadDispatcher>(), &files};
    auto grabber = std::make_unique<net::THttpUrlGrabber>(nullptr, services);
    // Set up as the update dialog sets up its grabber.
    app::UseUpdateDownloadSettings(*grabber);
    grabber->SetOutputMode(net::omFile);
    grabber->SetUrl(win32::Narrow(argv[1]));
    grabber->SetFileName(win32::Narrow(argv[2]));

    long long progressEvents = 0;
    std::int32_t savedBytes = -1;
    std::string error;
    grabber->OnProgress = [&](component::TComponent*, std::int64_t position, std::int64_t total, const std::string&,
                              bool& continueTransfer) {
        ++progressEvents;
        bar.Show(position, total);
        continueTransfer = true;
    };
    grabber->OnDoneFile = [&](component::TComponent*, const std::string&, std::int32_t size, const std::string&) {
        savedBytes = size;
        PostQuitMessage(0);
    };
    grabber->OnError = [&](component::TComponent*, const std::string& message) {
        error = message.empty() ? "(no text)" : message;
        PostQuitMessage(0);
    };
    // A transfer that ends without a result shows only in the state: once
    // it has run, idle for two looks in a row with nothing reported.
    SetTimer(window, 1, 100, nullptr);
    bool running = false;
    int idleLooks = 0;

    LARGE_INTEGER start, end, frequency;
    QueryPerformanceCounter(&start);
    grabber->Start();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == window) {
            const bool idle = grabber->State() == net::stIdle;
            running = running || !idle;
            idleLooks = running && idle ? idleLooks + 1 : 0;
            if (idleLooks >= 2 && savedBytes < 0 && error.empty()) {
                error = "the transfer ended without a result";
                PostQuitMessage(0);
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    grabber.reset();
    DestroyWindow(window);

    if (!error.empty() || savedBytes < 0) {
        std::fprintf(stderr, "download of %ls failed: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::printf("%.3f %d %lld\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
                savedBytes, progressEvents);
    return 0;
}
