#include "win32/SystemErrorText.h"

#include <stdexcept>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

namespace {

// The buffer FormatMessage allocates for its answer.
struct FreeLocalMemory {
    bool operator()(char* memory) const noexcept { return LocalFree(memory) == nullptr; }
};

std::string MessageText(DWORD source, HMODULE module, DWORD code) {
    UniqueHandle<NullHandleTraits<char*, FreeLocalMemory>> buffer;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | source | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        module, code, 0, reinterpret_cast<LPSTR>(buffer.Receive()), 0, nullptr);
    std::string text = length != 0 && buffer ? std::string(buffer.Get(), length) : std::string();
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

}  // namespace

std::string SystemErrorText(DWORD code, HMODULE messages) {
    std::string text;
    if (messages) text = MessageText(FORMAT_MESSAGE_FROM_HMODULE, messages, code);
    if (text.empty()) text = MessageText(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code);
    if (text.empty()) text = "System error " + std::to_string(code);
    return text;
}

}  // namespace velora::win32

namespace velora::win32 {

void ThrowLastError() { throw std::runtime_error(SystemErrorText(GetLastError())); }

}  // namespace velora::win32
