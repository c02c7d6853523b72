// What the parts of the main window share: its window classes and styles, and the Win32 class
// and styles of each kind of control.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Ui.h"

namespace harfpad::win32 {

inline constexpr wchar_t kPageClass[] = L"HarfpadPage";
inline constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Button-class controls read "&" as a mnemonic marker; captions are shown literally.
std::wstring escapeAmpersands(std::wstring_view text);
std::wstring unescapeAmpersands(std::wstring_view text);
std::wstring windowText(HWND hwnd);

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};
// The window class and styles that make a control of this kind.
WindowClass classFor(const ControlSpec& spec);

}  // namespace harfpad::win32
