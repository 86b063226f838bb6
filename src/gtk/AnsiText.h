#pragma once
// The program keeps its texts as single-byte Windows-1252 strings (the
// language files and the settings file are written that way); GTK, GLib and
// D-Bus speak UTF-8. The conversion happens here, and only here.

#include <string>
#include <string_view>

namespace velora::gtk {

// Every byte becomes its Windows-1252 character; the five bytes that code
// page leaves undefined keep their value as a C1 control character.
std::string ToUtf8(std::string_view ansi);
// Characters outside Windows-1252, and malformed UTF-8 bytes, become "?".
std::string FromUtf8(std::string_view utf8);

// A caption with its "&" accelerator as GTK writes mnemonics, in UTF-8:
// "&x" becomes "_x", "&&" a plain "&", and a plain "_" is doubled.
std::string MnemonicUtf8(std::string_view ansiCaption);

}  // namespace velora::gtk
