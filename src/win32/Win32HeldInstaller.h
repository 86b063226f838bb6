#pragma once
// A downloaded installer held open on Windows from its check to its start.
// The handle has reading and deletion access and shares reading only: the
// system refuses every other opener that asks to write, rename or delete
// the file, and with it a rename or copy of another file over its name. The
// check reads through the handle and the rename goes through it; the start
// passes the hold to a handle for reading alone, under which the process is
// created from the file's name and which the installer's process keeps.
//
// Wine, unlike Windows, lets the folder of an open file be renamed: there a
// program could move the whole folder aside and put one of its own under
// its name before the start.

#include <windows.h>

#include <string>

#include "platform/InstallerVerifier.h"
#include "win32/raii/KernelHandles.h"

namespace velora::win32 {

class Win32InstallerVerifier;

class Win32HeldInstaller final : public platform::HeldInstaller {
public:
    // `file` was opened from `path` with GENERIC_READ | DELETE, sharing
    // FILE_SHARE_READ; `verifier` checks it and outlives this object.
    Win32HeldInstaller(const Win32InstallerVerifier& verifier, FileHandle file, std::wstring path);

    platform::InstallerTrust Verify() override;
    bool MoveTo(const std::string& path) override;
    bool Discard() override;
    bool Start() override;

private:
    const Win32InstallerVerifier& verifier_;
    FileHandle file_;   // invalid once discarded or started
    std::wstring path_;  // the file's current name
};

}  // namespace velora::win32
