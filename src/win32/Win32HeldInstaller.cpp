#include "win32/Win32HeldInstaller.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "win32/WideText.h"
#include "win32/Win32InstallerVerifier.h"

namespace velora::win32 {

namespace {

// Which file a handle is open on: its volume and its index there.
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

}  // namespace

Win32HeldInstaller::Win32HeldInstaller(const Win32InstallerVerifier& verifier, FileHandle file, std::wstring path)
    : verifier_(verifier), file_(std::move(file)), path_(std::move(path)) {}

platform::InstallerTrust Win32HeldInstaller::Verify() {
    return file_ ? verifier_.VerifyOpenFile(file_.Get(), path_) : platform::InstallerTrust::Invalid;
}

bool Win32HeldInstaller::MoveTo(const std::string& path) {
    if (!file_) return false;
    std::wstring target = Widen(path);
    const std::size_t nameBytes = target.size() * sizeof(wchar_t);
    // The name follows the structure, with its terminating null.
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, target.c_str(), nameBytes + sizeof(wchar_t));
    if (!SetFileInformationByHandle(file_.Get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())))
        return false;
    path_ = std::move(target);
    return true;
}

bool Win32HeldInstaller::Discard() {
    if (!file_) return false;
    FILE_DISPOSITION_INFO dispose{TRUE};
    const bool marked = SetFileInformationByHandle(file_.Get(), FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
    file_.Reset();  // the file goes with its last handle
    return marked;
}

bool Win32HeldInstaller::Start() {
    if (!file_) return false;
    // Once running, the installer opens its own file by name to read what it
    // installs, sharing reading only, which a handle with deletion access
    // refuses. So the hold passes to a handle for reading alone, which the
    // installer's process is given and keeps until it ends: meanwhile no
    // other file can take its name. In the moment between the two handles
    // the name is free; the new handle must find the verified file under it.
    const std::optional<FileIdentity> verified = IdentityOf(file_.Get());
    file_.Reset();
    const FileHandle reader(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!verified || !reader || IdentityOf(reader.Get()) != verified) return false;

    // The name as it stands: no search along the path, no shell, no parameters.
    std::wstring commandLine = L"\"" + path_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION created{};
    // Suspended until its process holds the file.
    if (!CreateProcessW(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &created))
        return false;
    const KernelHandle process(created.hProcess);
    const KernelHandle thread(created.hThread);
    HANDLE inInstaller = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), reader.Get(), process.Get(), &inInstaller, 0, FALSE,
                         DUPLICATE_SAME_ACCESS) ||
        ResumeThread(thread.Get()) == static_cast<DWORD>(-1)) {
        TerminateProcess(process.Get(), ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

}  // namespace velora::win32
