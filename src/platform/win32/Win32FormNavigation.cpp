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
    return ::IsDialogMessageW(hwnd_, &msg) != 0;
}

}  // namespace harfpad::win32
