// Per-monitor DPI queries that fall back gracefully on systems without them.
#pragma once

#include <windows.h>

namespace harfpad::win32 {

// The DPI the window is drawn at (96 when the system cannot say).
int dpiForWindow(HWND window);
// Outer window rectangle for a client rectangle at the given DPI.
void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// The system's message font, sized for the given DPI.
LOGFONTW messageFontForDpi(int dpi);

}  // namespace harfpad::win32
