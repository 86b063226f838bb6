// The download baseline: plain WinInet, synchronous, reading in 64 KiB blocks
// straight into a file, with nothing cached. Prints the milliseconds from
// opening the Internet handle to the closed file, the bytes written, and the
// milliseconds until the reply's headers had come.
//
//   bench_wininet_read <http URL> <file>
//
// Exit code 0 when the whole reply (as many bytes as announced) was written.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kBlockSize = 64 * 1024;

// Closes a WinInet handle at the end of its scope.
struct InternetHandle {
    HINTERNET handle;
    ~InternetHandle() {
        if (handle) InternetCloseHandle(handle);
    }
};

// Announced length of the reply, -1 when it announces none.
long long ContentLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return -1;
    return std::wcstoll(text, nullptr, 10);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Reads the reply into the file; the bytes written, or -1 on a failure.
long long Download(const wchar_t* url, const wchar_t* fileName, LARGE_INTEGER& headersCame) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    wchar_t host[256] = {}, path[2048] = {};
    parts.lpszHostName = host;
    parts.dwHostNameLength = ARRAYSIZE(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = ARRAYSIZE(path);
    if (!InternetCrackUrlW(url, 0, 0, &parts)) return -1;

    InternetHandle internet{InternetOpenW(L"VELORA bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
    if (!internet.handle) return -1;
    InternetHandle connection{
        InternetConnectW(internet.handle, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0)};
    if (!connection.handle) return -1;
    InternetHandle request{HttpOpenRequestW(connection.handle, L"GET", path, L"HTTP/1.0", nullptr, nullptr,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)};
    if (!request.handle || !HttpSendRequestW(request.handle, nullptr, 0, nullptr, 0)) return -1;
    const long long announced = ContentLength(request.handle);
    headersCame = Now();

    HANDLE file = CreateFileW(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    std::vector<char> block(kBlockSize);
    long long total = 0;
    bool ok = true;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.handle, block.data(), kBlockSize, &read)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        DWORD written = 0;
        if (!WriteFile(file, block.data(), read, &written, nullptr) || written != read) {
            ok = false;
            break;
        }
        total += read;
    }
    CloseHandle(file);
    if (!ok || (announced >= 0 && total != announced)) return -1;
    return total;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: bench_wininet_read <http URL> <file>\n");
        return 1;
    }
    const LARGE_INTEGER start = Now();
    LARGE_INTEGER headersCame = start;
    const long long bytes = Download(argv[1], argv[2], headersCame);
    const LARGE_INTEGER end = Now();
    if (bytes < 0) {
        std::fwprintf(stderr, L"download of %ls failed: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::printf("%.3f %lld %.3f\n", Milliseconds(start, end), bytes, Milliseconds(start, headersCame));
    return 0;
}
