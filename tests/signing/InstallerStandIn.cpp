// A small Windows program for the tests of the installer hand-over, built
// twice: as the "installer" (signed with the build's certificate, in place
// of the service's installer) and as the "stranger" (unsigned: another
// program of the user's, which wants to be started in the installer's place).
//
//   <program>                   as the update dialog starts an installer, without parameters: writes
//                               "ran-<kind>.txt" beside itself (its process id and its own path, one a line).
//                               When the environment variable VELORA_STAND_IN_EVENTS holds NAME, it then
//                               signals the event NAME-started, waits for NAME-go, reads its own file by
//                               name as an installer reads what it installs (sharing reading only) into
//                               "self-read-<kind>.bin" beside itself, and signals NAME-done.
//   <program> take-place FILE   tries to put a copy of itself in FILE's place, in four ways; the exit code
//                               has one bit for each way the system allowed (0: all refused):
//                               1 a rename of the copy over FILE, 2 a rename of FILE aside and of the copy
//                               to its name, 4 a write of its bytes into FILE, 8 a delete of FILE and a
//                               rename of the copy to its name. 64: it could not try.
#include <windows.h>

#include <string>

#ifndef VELORA_STAND_IN_KIND
#error "VELORA_STAND_IN_KIND: installer or stranger"
#endif

namespace {

const std::wstring kKind = L"" VELORA_STAND_IN_KIND;

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Beside(const std::wstring& path, const std::wstring& name) {
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::string ReadAll(HANDLE file) {
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool WriteNewFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = WriteAll(file, bytes);
    CloseHandle(file);
    return written;
}

HANDLE OpenNamedEvent(const std::wstring& name) {
    return OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name.c_str());
}

int RunAsInstaller() {
    const std::wstring self = OwnPath();
    std::string marker = std::to_string(GetCurrentProcessId()) + "\n";
    for (const wchar_t c : self) marker += c < 0x80 ? static_cast<char>(c) : '?';
    if (!WriteNewFile(Beside(self, L"ran-" + kKind + L".txt"), marker + "\n")) return 1;

    wchar_t events[256] = {};
    if (!GetEnvironmentVariableW(L"VELORA_STAND_IN_EVENTS", events, 256)) return 0;
    const HANDLE started = OpenNamedEvent(std::wstring(events) + L"-started");
    const HANDLE go = OpenNamedEvent(std::wstring(events) + L"-go");
    const HANDLE done = OpenNamedEvent(std::wstring(events) + L"-done");
    if (!started || !go || !done) return 1;
    SetEvent(started);
    // A bound only, so that a test that broke off leaves no program behind.
    WaitForSingleObject(go, 60000);
    const HANDLE file = CreateFileW(self.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        WriteNewFile(Beside(self, L"self-read-" + kKind + L".bin"), ReadAll(file));
        CloseHandle(file);
    }
    SetEvent(done);
    return 0;
}

int TakePlace(const std::wstring& target) {
    const std::wstring self = OwnPath();
    const std::wstring copy = target + L".stranger";
    const std::wstring aside = target + L".aside";
    HANDLE own = CreateFileW(self.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (own == INVALID_HANDLE_VALUE) return 64;
    const std::string bytes = ReadAll(own);
    CloseHandle(own);
    auto freshCopy = [&] { return WriteNewFile(copy, bytes); };

    int allowed = 0;
    if (!freshCopy()) return 64;
    if (MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) allowed |= 1;
    if (!freshCopy()) return 64;
    if (MoveFileExW(target.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        allowed |= 2;
        MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        if (WriteAll(file, bytes) && SetEndOfFile(file)) allowed |= 4;
        CloseHandle(file);
    }
    if (!freshCopy()) return 64;
    if (DeleteFileW(target.c_str())) {
        allowed |= 8;
        MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    DeleteFileW(copy.c_str());
    return allowed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 1) return RunAsInstaller();
    if (argc == 3 && std::wstring(argv[1]) == L"take-place") return TakePlace(argv[2]);
    return 64;
}
