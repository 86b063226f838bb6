#pragma once
// COM, or OLE on top of it, for the current thread from the guard's creation
// to its end. The matching uninitialisation runs only when the
// initialisation succeeded: a thread that already runs COM in another
// apartment model is answered RPC_E_CHANGED_MODE and must keep the COM it had.

#include <windows.h>
#include <ole2.h>

namespace velora::win32 {

class ComInitialization {
public:
    // OleInitialize: a single-threaded apartment plus what OLE adds (in-place
    // activation, which the embedded browser needs; clipboard; drag and drop).
    static ComInitialization Ole() noexcept { return {OleInitialize(nullptr), &OleUninitialize}; }
    // CoInitializeEx in `model`: COINIT_APARTMENTTHREADED or COINIT_MULTITHREADED.
    static ComInitialization Com(DWORD model) noexcept { return {CoInitializeEx(nullptr, model), &CoUninitialize}; }

    ~ComInitialization() {
        if (SUCCEEDED(result_)) uninitialize_();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

    HRESULT Result() const noexcept { return result_; }
    bool Succeeded() const noexcept { return SUCCEEDED(result_); }

private:
    using Uninitialize = void(STDAPICALLTYPE*)();
    ComInitialization(HRESULT result, Uninitialize uninitialize) noexcept
        : result_(result), uninitialize_(uninitialize) {}

    HRESULT result_;
    Uninitialize uninitialize_;
};

}  // namespace velora::win32
