// Keyboard navigation of the main window for the message loop.
#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"

namespace harfpad::win32 {

bool Win32FormWindow::preTranslateMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)))
        return false;
    if (msg.message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        int step = 0;
        if (msg.wParam == VK_TAB)
            step = (::GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
        if (msg.wParam == VK_NEXT)
            step = 1;
        if (msg.wParam == VK_PRIOR)
            step = -1;
        if (step != 0 && !pages_.empty()) {
            const int count = static_cast<int>(pages_.size());
            selectPage((selectedPage() + step + count) % count);
            ::SetFocus(tab_);
            return true;
        }
    }
    // Once the keyboard moves the focus, the focus is shown.
    if (msg.message == WM_KEYDOWN &&
        (msg.wParam == VK_TAB || (msg.wParam >= VK_END && msg.wParam <= VK_DOWN)))
        showFocusRectangles();
    return ::IsDialogMessageW(hwnd_, &msg) != 0;
}

void Win32FormWindow::nextControl(WPARAM wParam, LPARAM lParam) {
    // learn.microsoft.com, WM_NEXTDLGCTL: with lParam's low word set, wParam is the control to
    // focus; otherwise wParam zero means the next control with WS_TABSTOP, non-zero the previous.
    HWND to = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                             : ::GetNextDlgTabItem(hwnd_, ::GetFocus(), wParam != 0);
    if (!to || (to != hwnd_ && !::IsChild(hwnd_, to)))
        return;
    // As in a dialog, an edit control it moves to gets its whole text selected.
    if (::SendMessageW(to, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(to, EM_SETSEL, 0, -1);
    ::SetFocus(to);
}

void Win32FormWindow::showFocusRectangles() {
    // learn.microsoft.com, WM_QUERYUISTATE and WM_CHANGEUISTATE: UIS_CLEAR with UISF_HIDEFOCUS
    // shows the focus rectangles of the window and its children.
    if (::SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)
        ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace harfpad::win32
