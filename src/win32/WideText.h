#pragma once
// The program keeps its texts as single-byte strings in the system's ANSI
// code page; the wide Windows calls get them converted here, and only here.

#include <windows.h>

#include <string>
#include <string_view>

namespace velora::win32 {

std::wstring Widen(std::string_view ansi);
std::string Narrow(std::wstring_view wide);

}  // namespace velora::win32
