// Conversions between the program's UTF-16 text, wide Win32 strings and the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace harfpad::win32 {

inline std::wstring toWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string fromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// To the system's ANSI code page, as the ANSI platform calls take text.
std::string toAnsi(std::wstring_view text);

}  // namespace harfpad::win32
