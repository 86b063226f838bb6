#pragma once
// An owned BSTR, the string of OLE automation: SysFreeString with its owner.

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct FreeBstr {
    bool operator()(BSTR text) const noexcept {
        SysFreeString(text);
        return true;
    }
};

using Bstr = UniqueHandle<NullHandleTraits<BSTR, FreeBstr>>;

// A copy of the text; empty (no string) when the system has no memory left.
inline Bstr MakeBstr(std::wstring_view text) {
    return Bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// The text of a BSTR; a null BSTR is the empty text.
inline std::wstring_view BstrText(const Bstr& text) {
    return {text.Get() ? text.Get() : L"", SysStringLen(text.Get())};
}

}  // namespace velora::win32
