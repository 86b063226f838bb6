#pragma once
// OLE on the user-interface thread from the first call that needs it (the
// first page, the shell opening an address) to the end of the owner's scope.
// A program that only sits in the tray never starts it, and the end still
// comes after every window, as with OLE started up front.

#include <windows.h>

#include <memory>

#include "win32/raii/ComInitialization.h"

namespace velora::win32 {

class OleOnDemand {
public:
    // The process's one owner, on the user-interface thread.
    OleOnDemand() noexcept;
    ~OleOnDemand();
    OleOnDemand(const OleOnDemand&) = delete;
    OleOnDemand& operator=(const OleOnDemand&) = delete;

    // Starts OLE on this thread when the owner's thread calls and it has not
    // been started yet. Without an owner (a caller that set OLE up itself)
    // or on another thread it leaves COM as it is.
    static void Ensure() noexcept;

private:
    DWORD thread_;
    std::unique_ptr<ComInitialization> ole_;
    static OleOnDemand* current_;
};

}  // namespace velora::win32
