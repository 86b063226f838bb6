// A small Windows console program the end-to-end tests run under Wine to look
// at and drive the program's windows from outside, as a user or the shell
// would. One command per run; results go to standard output, one per line.
//
//   probe windows                      every top-level window: hwnd pid visible class title
//   probe wait TITLE MS [visible]      waits for a top-level window titled TITLE; prints its hwnd
//   probe gone TITLE MS                waits until no window titled TITLE is visible
//   probe close TITLE                  posts WM_CLOSE to the window titled TITLE
//   probe find CLASS TITLE             exit 0 when a window of that class and title exists
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct TopWindow {
    HWND hwnd;
    DWORD pid;
    bool visible;
    std::string className;
    std::string title;
};

std::vector<TopWindow> TopWindows() {
    std::vector<TopWindow> result;
    EnumWindows(
        [](HWND hwnd, LPARAM list) -> BOOL {
            char cls[256] = {}, title[512] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            GetWindowTextA(hwnd, title, sizeof title);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            reinterpret_cast<std::vector<TopWindow>*>(list)->push_back(
                {hwnd, pid, IsWindowVisible(hwnd) != FALSE, cls, title});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&result));
    return result;
}

HWND FindByTitle(const std::string& title, bool mustBeVisible) {
    for (const auto& w : TopWindows())
        if (w.title == title && (!mustBeVisible || w.visible)) return w.hwnd;
    return nullptr;
}

int Usage() {
    std::fputs("usage: probe windows | wait TITLE MS [visible] | gone TITLE MS | close TITLE | find CLASS TITLE\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "windows") {
        for (const auto& w : TopWindows())
            std::printf("%p\t%lu\t%d\t%s\t%s\n", static_cast<void*>(w.hwnd), static_cast<unsigned long>(w.pid),
                        w.visible ? 1 : 0, w.className.c_str(), w.title.c_str());
        return 0;
    }
    if ((command == "wait" || command == "gone") && argc >= 4) {
        const bool visible = command == "gone" || (argc >= 5 && std::string(argv[4]) == "visible");
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atol(argv[3]));
        for (;;) {
            HWND hwnd = FindByTitle(argv[2], visible);
            if (command == "wait" && hwnd) {
                std::printf("%p\n", static_cast<void*>(hwnd));
                return 0;
            }
            if (command == "gone" && !hwnd) return 0;
            if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return 1;
            Sleep(50);
        }
    }
    if (command == "close" && argc >= 3) {
        HWND hwnd = FindByTitle(argv[2], false);
        return hwnd && PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "find" && argc >= 4) return FindWindowA(argv[2], argv[3]) ? 0 : 1;
    return Usage();
}
