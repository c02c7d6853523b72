// Keyboard navigation of the main window for the message loop.
#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"

namespace harfpad::win32 {

namespace {
std::optional<NavigationKey> navigationKey(WPARAM vk) {
    switch (vk) {
        case VK_LEFT:
            return NavigationKey::Left;
        case VK_RIGHT:
            return NavigationKey::Right;
        case VK_UP:
            return NavigationKey::Up;
        case VK_DOWN:
            return NavigationKey::Down;
        case VK_HOME:
            return NavigationKey::Home;
        case VK_END:
            return NavigationKey::End;
        default:
            return std::nullopt;
    }
}
}  // namespace

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
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_TAB || navigationKey(msg.wParam)))
        showFocusRectangles();
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
        if (Control* control = rovingControl(msg.hwnd); control && rovingKey(*control, msg))
            return true;
    }
    return ::IsDialogMessageW(hwnd_, &msg) != 0;
}

Win32FormWindow::Control* Win32FormWindow::rovingControl(HWND hwnd) {
    for (Control& control : controls_)
        if (control.hwnd == hwnd && control.run)
            return &control;
    return nullptr;
}

void Win32FormWindow::makeTabStop(const Control& control) {
    if (!control.run)
        return;
    for (std::size_t i = *control.run; i < controls_.size() && controls_[i].run == control.run;
         ++i) {
        HWND hwnd = controls_[i].hwnd;
        if (!hwnd)
            continue;
        const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
        const LONG_PTR wanted = hwnd == control.hwnd ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style)
            ::SetWindowLongPtrW(hwnd, GWL_STYLE, wanted);
    }
}

bool Win32FormWindow::rovingKey(Control& control, MSG& msg) {
    makeTabStop(control);  // it has the focus
    if (msg.message == WM_KEYDOWN) {
        if (const auto key = navigationKey(msg.wParam)) {
            const ControlId to = events_ ? events_->onNavigate(control.spec->id, *key) : kNoControl;
            if (to == kNoControl || to == control.spec->id)
                return true;
            setFocus(to);
            // Tab made the key it reached the default push button, as in a dialog; the default
            // look goes with the focus, as there, instead of staying on that key.
            // learn.microsoft.com, BM_SETSTYLE: wParam is the button's styles, type included.
            const auto setType = [](HWND button, DWORD type) {
                const auto style = static_cast<DWORD>(::GetWindowLongPtrW(button, GWL_STYLE));
                ::SendMessageW(button, BM_SETSTYLE, LOWORD((style & ~BS_TYPEMASK) | type), TRUE);
            };
            if (::SendMessageW(control.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
                setType(control.hwnd, BS_PUSHBUTTON);
                if (::SendMessageW(::GetFocus(), WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)
                    setType(::GetFocus(), BS_DEFPUSHBUTTON);
            }
            return true;
        }
        if (msg.wParam == VK_RETURN) {
            keyboardPress_ = control.spec->id;
            // learn.microsoft.com, BM_CLICK: the button gets a mouse press and release, its
            // parent BN_CLICKED.
            ::SendMessageW(control.hwnd, BM_CLICK, 0, 0);
            keyboardPress_ = kNoControl;
            return true;
        }
        return false;
    }
    if (msg.wParam != VK_SPACE)
        return false;
    // learn.microsoft.com, BN_CLICKED: sent when the button has the focus and the user releases
    // the spacebar. That click is the keyboard's.
    keyboardPress_ = control.spec->id;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    keyboardPress_ = kNoControl;
    return true;
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
    if (Control* control = rovingControl(to))
        makeTabStop(*control);
}

void Win32FormWindow::showFocusRectangles() {
    // learn.microsoft.com, WM_QUERYUISTATE and WM_CHANGEUISTATE: UIS_CLEAR with UISF_HIDEFOCUS
    // shows the focus rectangles of the window and its children.
    if (::SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)
        ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace harfpad::win32
