// Per-monitor DPI queries that fall back gracefully on systems without them.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// The DPI the window is drawn at (96 when the system cannot say).
int dpiForWindow(HWND window);
// Outer window rectangle for a client rectangle at the given DPI.
void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// The system's message font, sized for the given DPI.
LOGFONTW messageFontForDpi(int dpi);
// A system metric (such as SM_CXICON) as it is at the given DPI.
int systemMetricForDpi(int index, int dpi);
// The module's icon resource at the size `metric` (SM_CXICON or SM_CXSMICON) has at the given
// DPI, drawn from the resource's image made for that size where it has one; empty when the
// module lacks the resource.
UniqueIcon loadIconForDpi(HINSTANCE instance, int resourceId, int metric, int dpi);

}  // namespace harfpad::win32
