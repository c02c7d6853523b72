#include "platform/win32/Win32TrayWindow.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

Win32TrayWindow::Win32TrayWindow(HINSTANCE instance, int iconResourceId)
    : instance_(instance),
      iconResourceId_(iconResourceId),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

Win32TrayWindow::~Win32TrayWindow() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

void Win32TrayWindow::create() {
    if (hwnd_)
        return;
    WNDCLASSEXW probe{sizeof probe};
    if (!::GetClassInfoExW(instance_, kTrayWindowClass, &probe)) {
        WNDCLASSEXW cls{sizeof cls};
        cls.lpfnWndProc = windowProc;
        cls.hInstance = instance_;
        cls.lpszClassName = kTrayWindowClass;
        ::RegisterClassExW(&cls);
    }
    ::CreateWindowExW(WS_EX_TOOLWINDOW, kTrayWindowClass, L"Harfpad tray", WS_POPUP, 0, 0, 0, 0,
                      nullptr, nullptr, instance_, createParam());
    if (!hwnd_)
        return;
    loadIcon(dpiForWindow(hwnd_));
    // A copy running elevated still hears that the taskbar was created anew.
    if (taskbarCreated_ != 0)
        ::ChangeWindowMessageFilterEx(hwnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
}

UniqueIcon Win32TrayWindow::loadIcon(int dpi) {
    // The notification area shows small icons: take the image made for that size at the DPI of
    // the window's monitor rather than let the shell shrink the large one.
    UniqueIcon icon = loadIconForDpi(instance_, iconResourceId_, SM_CXSMICON, dpi);
    if (!icon) {
        // A module without the icon resource still gets a visible icon: a copy of the stock
        // application icon, owned like the loaded one.
        icon.reset(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
    }
    if (icon)
        ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    iconDpi_ = dpi;
    // The window does not own its icon: the caller lets the old one go when it is done with it.
    return std::exchange(icon_, std::move(icon));
}

std::uintptr_t Win32TrayWindow::windowIcon() const {
    if (!hwnd_)
        return 0;
    return static_cast<std::uintptr_t>(::SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0));
}

int Win32TrayWindow::popupMenu(std::span<const std::u16string_view> items, ScreenPoint at) {
    if (!hwnd_)
        return -1;
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring caption = toWide(items[i]);
        ::AppendMenuW(menu.get(), MF_STRING, i + 1, caption.c_str());
    }
    // A tray menu only closes on a click elsewhere when its window is in the foreground, and
    // the shell needs a message to this window afterwards to finish the menu off.
    ::SetForegroundWindow(hwnd_);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        at.x, at.y, 0, hwnd_, nullptr));
    ::PostMessageW(hwnd_, WM_NULL, 0, 0);
    return chosen == 0 || chosen > items.size() ? -1 : static_cast<int>(chosen - 1);
}

void Win32TrayWindow::noteUserWindow() {
    // The pointer crosses the icon before it clicks it, so the window the user typed in is still
    // in front; the click then brings the taskbar forward, and the menu this window.
    HWND front = ::GetForegroundWindow();
    if (!front || front == hwnd_)
        return;
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (taskbar &&
        ::GetWindowThreadProcessId(front, nullptr) == ::GetWindowThreadProcessId(taskbar, nullptr))
        return;  // the taskbar, its overflow area and the other windows of its thread
    // Taken now: once the window is in the background its thread may hold no focus.
    userWindow_ = focusWindowIn(front);
}

LRESULT Win32TrayWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == showRunningCopyMessage() && message != 0) {
        if (events_)
            events_->showRequested();
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // A new taskbar knows no icons, so one of another size goes up as a new icon.
        UniqueIcon old;
        if (const int dpi = dpiForWindow(hwnd_); dpi != iconDpi_)
            old = loadIcon(dpi);
        if (events_)
            events_->taskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_DPICHANGED: {
            // The shown icon is taken down by its old picture before the new one goes up.
            const UniqueIcon old = loadIcon(HIWORD(wParam));
            if (events_)
                events_->iconChanged();
            return 0;
        }
        case WM_MOUSEMOVE:
            // The icon's callback message, the number of the mouse-move message; both
            // parameters go on whole.
            noteUserWindow();
            if (events_)
                events_->Form_MouseMove(static_cast<std::uintptr_t>(wParam),
                                        static_cast<std::intptr_t>(lParam));
            return 0;
        case WM_CLOSE:
            // Someone asks the program to end (an installer, the task manager): the window
            // itself stays until the program goes.
            if (events_)
                events_->closeRequested();
            return 0;
        case WM_ENDSESSION:
            if (wParam && events_)
                events_->windowClosing();
            return 0;
        case WM_DESTROY:
            if (events_)
                events_->windowClosing();
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace harfpad::win32
