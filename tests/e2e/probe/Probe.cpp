// A small Windows console program the end-to-end tests run under Wine to look
// at and drive the program's windows from outside, as a user or the shell
// would. One command per run; results go to standard output, one per line.
// WINDOW is a top-level window's exact title, "class:NAME" for its class, or
// "hwnd:HEX" for one window by its handle (as `wait` prints it).
//
//   probe windows                       every top-level window: hwnd pid visible class title
//   probe wait WINDOW MS [visible]      waits for the window; prints its hwnd
//   probe gone WINDOW MS                waits until the window is not visible (or gone)
//   probe close WINDOW                  posts WM_CLOSE to it
//   probe find CLASS TITLE              exit 0 when FindWindow finds that class and title
//   probe children WINDOW               its child windows: index class id visible text
//   probe settext WINDOW INDEX TEXT     WM_SETTEXT to child INDEX (as listed by children)
//   probe click WINDOW INDEX            BM_CLICK to child INDEX
//   probe enabled WINDOW INDEX          exit 0 when child INDEX is enabled, 1 when disabled or missing
//   probe select WINDOW INDEX ITEM      selects ITEM in the combo box INDEX, as the user would
//   probe check WINDOW INDEX 0|1        sets a check box, as the user would
//   probe post WINDOW MSG WPARAM LPARAM posts a message (numbers in decimal or 0x hex)
//   probe menukey KEY                   WM_KEYDOWN/WM_CHAR of KEY to the open popup menu
//   probe handover COUNT MS             waits up to MS for the running instance's hand-over window, then
//                                       hands a command line over COUNT times as a later start does
//                                       (WM_COPYDATA); prints "answered N refused M" (answers > 0 and 0)
//   probe text WINDOW INDEX             the text of child INDEX by WM_GETTEXT (an edit's contents, which
//                                       GetWindowText, and so `children`, cannot read from another process)
//   probe items WINDOW INDEX            the entries of the combo box INDEX: index selected(0|1) text
//   probe rects WINDOW                  "client W H", then each child: index class visible x y w h style
//                                       (x, y in the window's client coordinates; style in hex)
//   probe fits WINDOW [FACE POINTS]     each visible text control: index kind fits(0|1) needed available text
//                                       (kind static, button, checkbox, radio or groupbox; sizes "WxH";
//                                       line breaks in the text shown as \n). Measured in the control's
//                                       font where this process can use it (WM_GETFONT); Wine answers
//                                       WM_GETFONT from another process with 0, and a font handle is no
//                                       use outside its process on Windows either: then in FACE at POINTS
//                                       (the form's font), built as the program builds it.
//   probe trustroot FILE                adds the DER certificate FILE to the current user's root store, as a
//                                       Windows machine trusts its publisher's root (under Wine without asking)
//   probe resource FILE TYPE ID         the bytes of resource ID of type TYPE (numbers) in the program file
//                                       FILE, in hexadecimal on one line
//   probe accessible WINDOW             each child as screen readers read it through its standard accessible
//                                       object (oleacc): index class role name (role as its text, "-" when
//                                       the object gives none)
//   probe focus WINDOW                  the index of the child that has the keyboard focus (-1 for none)
//   probe key WINDOW VK                 posts VK's WM_KEYDOWN and WM_KEYUP to the window's focused child, as
//                                       typed keys reach it through the program's message loop (dialog keys
//                                       among them); then waits up to a second for the focus to move
//   probe xwindow WINDOW                the X window of a visible top-level window under Wine (in hex)
#include <windows.h>
#include <oleacc.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstdint>
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

bool Matches(const Window& w, const std::string& pattern) {
    if (pattern.rfind("class:", 0) == 0) return w.className == pattern.substr(6);
    if (pattern.rfind("hwnd:", 0) == 0)
        return w.hwnd == reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(pattern.c_str() + 5, nullptr, 16)));
    return w.title == pattern;
}

HWND Find(const std::string& pattern, bool mustBeVisible) {
    for (const auto& w : TopWindows())
        if (Matches(w, pattern) && (!mustBeVisible || w.visible)) return w.hwnd;
    return nullptr;
}

HWND Child(const std::string& pattern, const char* index) {
    HWND top = Find(pattern, false);
    if (!top) return nullptr;
    const auto children = Children(top);
    const size_t i = static_cast<size_t>(std::atoi(index));
    return i < children.size() ? children[i] : nullptr;
}

long Number(const char* text) { return std::strtol(text, nullptr, 0); }

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Narrow(const std::wstring& wide) {
    std::string text(wide.size() * 2 + 1, '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                        text.data(), static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

std::string OneLine(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') result += "\\n";
        else result += c;
    }
    return result;
}

// The text as drawn: "&&" shows one "&", a single "&" marks the next letter.
std::string WithoutAccelerators(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        else if (text[i] == '&') continue;
        result += text[i];
    }
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

// What a caption needs, measured in the control's own font, against the room
// the control gives it.
struct Fit {
    const char* kind = nullptr;  // nullptr: not a text control
    SIZE needed{};
    SIZE available{};
};

// The font FACE at POINTS on the system's message font, as the program makes
// its forms' fonts.
HFONT NamedFont(const char* face, int points) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) font = metrics.lfMessageFont;
    else GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontIndirectA(&font);
}

Fit MeasureCaption(HWND control, HFONT fallback) {
    char cls[64] = {};
    GetClassNameA(control, cls, sizeof cls);
    const LONG style = static_cast<LONG>(GetWindowLongPtrA(control, GWL_STYLE));
    Fit fit;
    if (lstrcmpiA(cls, "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type > SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP) return fit;
        fit.kind = "static";
    } else if (lstrcmpiA(cls, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: fit.kind = "button"; break;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE: fit.kind = "checkbox"; break;
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: fit.kind = "radio"; break;
            case BS_GROUPBOX: fit.kind = "groupbox"; break;
            default: return fit;
        }
    } else {
        return fit;
    }
    RECT client{};
    GetClientRect(control, &client);
    const std::string text = WindowText(control);
    HDC dc = GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA usable{};
    if (!font || !GetObjectA(font, sizeof usable, &usable)) font = fallback;
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const bool wraps = fit.kind == std::string("static") && (style & SS_TYPEMASK) <= SS_RIGHT;
    if (wraps) {
        // A word-wrapping static breaks long lines itself: what counts is
        // whether all the lines it makes fit in its height (and no single word
        // is wider than the control).
        RECT r{0, 0, client.right, 0};
        const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | prefix);
        fit.needed = {r.right - r.left, r.bottom - r.top};
        fit.available = {client.right, client.bottom};
    } else {
        const bool prefix = !(fit.kind == std::string("static") && (style & SS_NOPREFIX));
        LONG width = 0, height = 0;
        for (const auto& line : Lines(text)) {
            const std::string shown = prefix ? WithoutAccelerators(line) : line;
            SIZE extent{};
            GetTextExtentPoint32A(dc, shown.empty() ? " " : shown.c_str(),
                                  shown.empty() ? 1 : static_cast<int>(shown.size()), &extent);
            if (shown.empty()) extent.cx = 0;
            width = std::max(width, extent.cx);
            height += extent.cy;
        }
        fit.needed = {width, height};
        LONG room = client.right;
        const std::string kind = fit.kind;
        if (kind == "checkbox" || kind == "radio") room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
        else if (kind == "groupbox") room -= 16;  // the caption sits inside the frame's corners
        else if (kind == "button") room -= 8;     // the push button's edges
        fit.available = {room, client.bottom};
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return fit;
}

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

int FocusedChild(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) || !info.hwndFocus) return -1;
    const auto children = Children(top);
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == info.hwndFocus) return static_cast<int>(i);
    return -1;
}

// IAccessible's interface id, spelt out: the import library's symbol may
// not match what the system compares.
const IID kAccessibleId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What oleacc's standard object tells a screen reader about a child window.
std::string AccessibleRow(HWND child) {
    IAccessible* object = nullptr;
    HRESULT found = AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId,
                                               reinterpret_cast<void**>(&object));
    // Wine answers the window's own object only inside its process; the
    // standard object reads the window from outside, as on Windows.
    if (FAILED(found) || !object)
        found = CreateStdAccessibleObject(child, static_cast<LONG>(OBJID_CLIENT), kAccessibleId,
                                          reinterpret_cast<void**>(&object));
    if (FAILED(found) || !object) {
        char failed[32];
        std::snprintf(failed, sizeof failed, "-\t- (%08lx)", static_cast<unsigned long>(found));
        return failed;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    std::string role = "-";
    VARIANT roleValue;
    VariantInit(&roleValue);
    if (SUCCEEDED(object->get_accRole(self, &roleValue)) && roleValue.vt == VT_I4) {
        char text[128] = {};
        if (GetRoleTextA(static_cast<DWORD>(roleValue.lVal), text, sizeof text) > 0) role = text;
    }
    std::string name;
    BSTR nameValue = nullptr;
    if (object->get_accName(self, &nameValue) == S_OK && nameValue) {
        name = Narrow(nameValue);
        SysFreeString(nameValue);
    }
    object->Release();
    return role + "\t" + OneLine(name);
}

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
    if (command == "accessible" && argc >= 3) {
        HWND top = Find(argv[2], false);
        if (!top) return 1;
        CoInitialize(nullptr);
        int index = 0;
        for (HWND child : Children(top)) {
            const Window w = Describe(child);
            std::printf("%d\t%s\t%s\n", index++, w.className.c_str(), AccessibleRow(child).c_str());
        }
        CoUninitialize();
        return 0;
    }
    if (command == "focus" && argc >= 3) {
        HWND top = Find(argv[2], false);
        if (!top) return 1;
        std::printf("%d\n", FocusedChild(top));
        return 0;
    }
    if (command == "key" && argc >= 4) {
        HWND top = Find(argv[2], false);
        if (!top) return 1;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info);
        HWND target = info.hwndFocus ? info.hwndFocus : top;
        const auto vk = static_cast<WPARAM>(Number(argv[3]));
        const int before = FocusedChild(top);
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
        for (int i = 0; i < 20 && FocusedChild(top) == before; ++i) Sleep(50);
        return 0;
    }
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
    if (command == "enabled" && argc >= 4) {
        HWND child = Child(argv[2], argv[3]);
        return child && IsWindowEnabled(child) ? 0 : 1;
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
    if (command == "handover" && argc >= 4) {
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atol(argv[3]));
        HWND running = nullptr;
        while (!(running = FindWindowA("TInstanceManager", "veloraTray")) &&
               static_cast<LONG>(GetTickCount() - deadline) < 0)
            Sleep(1);
        if (!running) return 1;
        char commandLine[] = "VELORADesktop.exe";
        COPYDATASTRUCT data{0, sizeof commandLine - 1, commandLine};
        int answered = 0, refused = 0;
        for (int i = std::atoi(argv[2]); i > 0; --i) {
            DWORD_PTR answer = 0;
            // A window that went away answers nothing: that counts as refused.
            if (SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 20000,
                                    &answer) &&
                answer > 0)
                ++answered;
            else
                ++refused;
        }
        std::printf("answered %d refused %d\n", answered, refused);
        return 0;
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
    if (command == "text" && argc >= 4) {
        HWND child = Child(argv[2], argv[3]);
        if (!child) return 1;
        const LRESULT length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
        std::wstring wide(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        const LRESULT copied = SendMessageW(child, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(copied > 0 ? std::min(static_cast<size_t>(copied), wide.size() - 1) : 0);
        std::printf("%s\n", Narrow(wide).c_str());
        return 0;
    }
    if (command == "items" && argc >= 4) {
        HWND child = Child(argv[2], argv[3]);
        if (!child) return 1;
        const LRESULT count = SendMessageA(child, CB_GETCOUNT, 0, 0);
        const LRESULT selected = SendMessageA(child, CB_GETCURSEL, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            // The wide messages: across processes Wine hands CB_GETLBTEXT's
            // text back unconverted, in twice the bytes an ANSI buffer has.
            const LRESULT length = SendMessageW(child, CB_GETLBTEXTLEN, i, 0);
            std::wstring wide(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
            const LRESULT copied = SendMessageW(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
            wide.resize(copied > 0 ? std::min(static_cast<size_t>(copied), wide.size() - 1) : 0);
            std::printf("%ld\t%d\t%s\n", static_cast<long>(i), i == selected ? 1 : 0, Narrow(wide).c_str());
        }
        return 0;
    }
    if (command == "rects" && argc >= 3) {
        HWND top = Find(argv[2], false);
        if (!top) return 1;
        RECT client{};
        GetClientRect(top, &client);
        std::printf("client\t%ld\t%ld\n", client.right, client.bottom);
        int index = 0;
        for (HWND child : Children(top)) {
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
            const Window w = Describe(child);
            std::printf("%d\t%s\t%d\t%ld\t%ld\t%ld\t%ld\t%lx\n", index++, w.className.c_str(), w.visible ? 1 : 0,
                        r.left, r.top, r.right - r.left, r.bottom - r.top,
                        static_cast<unsigned long>(GetWindowLongPtrA(child, GWL_STYLE)));
        }
        return 0;
    }
    if (command == "trustroot" && argc >= 3) {
        FILE* file = std::fopen(argv[2], "rb");
        if (!file) return 1;
        std::vector<BYTE> der;
        for (int c; (c = std::fgetc(file)) != EOF;) der.push_back(static_cast<BYTE>(c));
        std::fclose(file);
        HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
        if (!store) return 1;
        const BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(),
                                                            static_cast<DWORD>(der.size()),
                                                            CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
        CertCloseStore(store, 0);
        return added ? 0 : 1;
    }
    if (command == "fits" && argc >= 3) {
        HWND top = Find(argv[2], false);
        if (!top) return 1;
        HFONT fallback = argc >= 5 ? NamedFont(argv[3], std::atoi(argv[4])) : nullptr;
        int index = -1;
        for (HWND child : Children(top)) {
            ++index;
            if (!IsWindowVisible(child)) continue;
            const Fit fit = MeasureCaption(child, fallback);
            if (!fit.kind) continue;
            const bool fits = fit.needed.cx <= fit.available.cx && fit.needed.cy <= fit.available.cy;
            std::printf("%d\t%s\t%d\t%ldx%ld\t%ldx%ld\t%s\n", index, fit.kind, fits ? 1 : 0, fit.needed.cx,
                        fit.needed.cy, fit.available.cx, fit.available.cy, OneLine(WindowText(child)).c_str());
        }
        return 0;
    }
    if (command == "resource" && argc >= 5) {
        // As data only: nothing of the program runs.
        HMODULE module = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!module) return 1;
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(std::atoi(argv[4])), MAKEINTRESOURCEA(std::atoi(argv[3])));
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const auto* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
        if (!bytes) {
            FreeLibrary(module);
            return 1;
        }
        for (DWORD i = 0, size = SizeofResource(module, found); i < size; ++i) std::printf("%02x", bytes[i]);
        std::printf("\n");
        FreeLibrary(module);
        return 0;
    }
    if (command == "xwindow" && argc >= 3) {
        // Wine's X11 driver keeps the X window of a top-level window in this
        // property; other processes can read it.
        HWND hwnd = Find(argv[2], true);
        const auto xwindow = hwnd ? reinterpret_cast<uintptr_t>(GetPropA(hwnd, "__wine_x11_whole_window")) : 0;
        if (!xwindow) return 1;
        std::printf("0x%llx\n", static_cast<unsigned long long>(xwindow));
        return 0;
    }
    return Usage();
}
