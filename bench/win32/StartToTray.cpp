// Starts a program and measures the time until its tray window exists: the
// first top-level window of the given class that belongs to the new process,
// looked for every millisecond. Prints the milliseconds and the process id,
// and leaves the program running.
//
//   bench_start_to_tray <program> <window class> <time-out ms>
//
// Exit code 0 when the window came, 2 when the program ended first, 3 on a
// time-out, 1 when the program could not be started.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

bool HasWindowOf(const wchar_t* windowClass, DWORD processId) {
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window;
         window = FindWindowExW(nullptr, window, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return true;
    }
    return false;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: bench_start_to_tray <program> <window class> <time-out ms>\n");
        return 1;
    }
    const wchar_t* program = argv[1];
    const wchar_t* windowClass = argv[2];
    const double timeout = std::wcstod(argv[3], nullptr);

    // The program runs in its own folder, as when started from its shortcut.
    std::wstring folder = program;
    const std::wstring::size_type slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? L"." : folder.substr(0, slash);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::fwprintf(stderr, L"cannot start %ls: error %lu\n", program, GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);

    int exitCode = 3;
    double elapsed = 0;
    for (;;) {
        elapsed = MillisecondsSince(start);
        if (HasWindowOf(windowClass, process.dwProcessId)) {
            exitCode = 0;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            exitCode = 2;
            break;
        }
        if (elapsed > timeout) break;
        Sleep(1);
    }
    CloseHandle(process.hProcess);
    std::printf("%.3f %lu\n", elapsed, process.dwProcessId);
    return exitCode;
}
