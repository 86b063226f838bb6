// A small Windows console program the end-to-end tests run under Wine to look
// at and drive the program's windows from outside, as a user or the shell
// would. One command per run; results go to standard output, one per line.
// WINDOW is a top-level window's exact title, or "class:NAME" for its class.
//
//   probe windows                       every top-level window: hwnd pid visible class title
//   probe wait WINDOW MS [visible]      waits for the window; prints its hwnd
//   probe gone WINDOW MS                waits until the window is not visible (or gone)
//   probe close WINDOW                  posts WM_CLOSE to it
//   probe find CLASS TITLE              exit 0 when FindWindow finds that class and title
//   probe children WINDOW               its child windows: index class id visible text
//   probe settext WINDOW INDEX TEXT     WM_SETTEXT to child INDEX (as listed by children)
//   probe click WINDOW INDEX            BM_CLICK to child INDEX
//   probe select WINDOW INDEX ITEM      selects ITEM in the combo box INDEX, as the user would
//   probe check WINDOW INDEX 0|1        sets a check box, as the user would
//   probe post WINDOW MSG WPARAM LPARAM posts a message (numbers in decimal or 0x hex)
//   probe menukey KEY                   WM_KEYDOWN/WM_CHAR of KEY to the open popup menu
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Window {
    HWND hwnd;
    DWORD pid;
    bool visible;
    std::string className;
    std::string title;
};

Window Describe(HWND hwnd) {
    char cls[256] = {}, title[1024] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return {hwnd, pid, IsWindowVisible(hwnd) != FALSE, cls, title};
}

std::vector<Window> TopWindows() {
    std::vector<Window> result;
    EnumWindows(
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<Window>*>(list)->push_back(Describe(hwnd));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&result));
    return result;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> result;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&result));
    return result;
}

bool Matches(const Window& w, const std::string& spec) {
    if (spec.rfind("class:", 0) == 0) return w.className == spec.substr(6);
    return w.title == spec;
}

HWND Find(const std::string& spec, bool mustBeVisible) {
    for (const auto& w : TopWindows())
        if (Matches(w, spec) && (!mustBeVisible || w.visible)) return w.hwnd;
    return nullptr;
}

HWND Child(const std::string& spec, const char* index) {
    HWND top = Find(spec, false);
    if (!top) return nullptr;
    const auto children = Children(top);
    const size_t i = static_cast<size_t>(std::atoi(index));
    return i < children.size() ? children[i] : nullptr;
}

long Number(const char* text) { return std::strtol(text, nullptr, 0); }

// Tells the parent what a user's change would have told it.
void NotifyParent(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

int Usage() {
    std::fputs("usage: see the comment at the top of Probe.cpp\n", stderr);
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
            HWND hwnd = Find(argv[2], visible);
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
        HWND hwnd = Find(argv[2], false);
        return hwnd && PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "find" && argc >= 4) return FindWindowA(argv[2], argv[3]) ? 0 : 1;
    if (command == "children" && argc >= 3) {
        HWND top = Find(argv[2], false);
        if (!top) return 1;
        int index = 0;
        for (HWND child : Children(top)) {
            const Window w = Describe(child);
            std::printf("%d\t%s\t%d\t%d\t%s\n", index++, w.className.c_str(), GetDlgCtrlID(child), w.visible ? 1 : 0,
                        w.title.c_str());
        }
        return 0;
    }
    if (command == "settext" && argc >= 5) {
        HWND child = Child(argv[2], argv[3]);
        if (!child) return 1;
        SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        NotifyParent(child, EN_CHANGE);
        return 0;
    }
    if (command == "click" && argc >= 4) {
        HWND child = Child(argv[2], argv[3]);
        if (!child) return 1;
        SendMessageA(child, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "select" && argc >= 5) {
        HWND child = Child(argv[2], argv[3]);
        if (!child) return 1;
        SendMessageA(child, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(argv[4])), 0);
        NotifyParent(child, CBN_SELCHANGE);
        return 0;
    }
    if (command == "check" && argc >= 5) {
        HWND child = Child(argv[2], argv[3]);
        if (!child) return 1;
        const bool wanted = std::atoi(argv[4]) != 0;
        if ((SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED) != wanted) SendMessageA(child, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "post" && argc >= 6) {
        HWND hwnd = Find(argv[2], false);
        return hwnd && PostMessageA(hwnd, static_cast<UINT>(Number(argv[3])), static_cast<WPARAM>(Number(argv[4])),
                                    static_cast<LPARAM>(Number(argv[5])))
                   ? 0
                   : 1;
    }
    if (command == "menukey" && argc >= 3) {
        // The open popup menu is a top-level window of class "#32768".
        const DWORD deadline = GetTickCount() + 5000;
        HWND menu = nullptr;
        while (!(menu = Find("class:#32768", true)) && static_cast<LONG>(GetTickCount() - deadline) < 0) Sleep(50);
        if (!menu) return 1;
        const std::string key = argv[2];
        if (key == "return") {
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(key[0]), 0);
        }
        return 0;
    }
    return Usage();
}
