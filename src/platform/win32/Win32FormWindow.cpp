#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/StartupTrace.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"

namespace harfpad::win32 {

Win32FormWindow::Win32FormWindow(HINSTANCE instance, const FormSpec& spec, int iconResourceId)
    : instance_(instance),
      spec_(spec),
      model_(spec),
      iconResourceId_(iconResourceId),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
    for (std::size_t page = 0; page < spec_.pages.size(); ++page) {
        const auto& controls = spec_.pages[page].controls;
        const auto rects = resolvePageRects(controls);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            index_[controls[i].id] = controls_.size();
            Control control{&controls[i], static_cast<int>(page), rects[i]};
            if (controls[i].style & kStyleRovingTabStop)
                control.run =
                    i > 0 && controls_.back().run ? controls_.back().run : controls_.size();
            controls_.push_back(control);
        }
    }
}

void Win32FormWindow::windowDestroyed() {
    tab_ = lastFocus_ = nullptr;
    pages_.clear();
    for (Control& control : controls_) control.hwnd = nullptr;
    model_.reset();  // a window loaded again starts as designed
    fonts_.clear();
    pictures_.clear();
    formFont_.reset();
}

Win32FormWindow::~Win32FormWindow() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

void Win32FormWindow::registerClasses() const {
    WNDCLASSEXW probe{sizeof probe};
    if (::GetClassInfoExW(instance_, kFormWindowClass, &probe))
        return;
    WNDCLASSEXW form{sizeof form};
    form.lpfnWndProc = windowProc;
    form.hInstance = instance_;
    form.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormWindowClass;
    ::RegisterClassExW(&form);
    WNDCLASSEXW page{sizeof page};
    page.lpfnWndProc = pageProc;
    page.hInstance = instance_;
    page.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    page.lpszClassName = kPageClass;
    ::RegisterClassExW(&page);
}

void Win32FormWindow::load(IFormEvents& events) {
    if (hwnd_) {
        show();
        return;
    }
    events_ = &events;
    registerClasses();
    ::CreateWindowExW(kFormExStyle, kFormWindowClass, toWide(spec_.caption).c_str(), kFormStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_,
                      createParam());
    if (!hwnd_)
        return;
    traceStartup("form-window");
    dpi_ = dpiForWindow(hwnd_);
    createChildren();
    traceStartup("tab-and-pages");
    applyLayout();
    showPage(0);
    traceStartup("first-page");
    events_->Form_Load();
    traceStartup("form-load");
    centreOnMonitor();
    ::ShowWindow(hwnd_, SW_SHOW);
    traceStartup("shown");
    ::UpdateWindow(hwnd_);
    traceStartup("painted");
    if (!::GetFocus() || !::IsChild(hwnd_, ::GetFocus()))
        ::SetFocus(tab_);
}

void Win32FormWindow::show() {
    if (!hwnd_)
        return;
    ::ShowWindow(hwnd_, ::IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(hwnd_);
}

void Win32FormWindow::close() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

// Pages pass their controls' notifications on to the form.
LRESULT CALLBACK Win32FormWindow::pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            // A multi-line edit posts this on Escape, taking its parent for a dialog: a page is
            // never closed.
            return 0;
        case WM_NEXTDLGCTL:  // from a multi-line edit on Tab
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT Win32FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == showRunningCopyMessage() && message != 0) {
        show();  // the program was started again: this copy comes forward instead
        return 0;
    }
    if (message == taskbarCreated_ && message != 0) {
        // The taskbar shows the window's icons: a new one may come after a change of scale.
        if (const int dpi = dpiForWindow(hwnd_); dpi != iconDpi_)
            loadIcons(dpi);
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            loadIcons(dpiForWindow(hwnd_));
            return 0;
        case WM_COMMAND: {
            const auto id = static_cast<ControlId>(LOWORD(wParam));
            const Control* control = find(id);
            if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && control && isButtonKind(*control) &&
                events_) {
                const bool fromKeyboard = keyboardPress_ == id;
                keyboardPress_ = kNoControl;
                makeTabStop(*control);  // a click gave it the focus
                if (fromKeyboard)
                    events_->onKeyPress(id);
                else
                    events_->onClick(id);
            }
            return 0;
        }
        case WM_NEXTDLGCTL:
            nextControl(wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
                showPage(selectedPage());
            }
            return 0;
        }
        case WM_ACTIVATE:
            // Keep the keyboard focus where the user left it when the window comes back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = ::GetFocus();
            } else if (lastFocus_ && ::IsChild(hwnd_, lastFocus_)) {
                ::SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            applyLayout();
            loadIcons(dpi_);
            return 0;
        }
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            coloursChanged(message, wParam, lParam);
            break;
        case WM_SETCURSOR:
            // Controls ask their parents first, so this holds over the whole window.
            if (waitCursor_) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // The close is never cancelled; the behaviour decides whether the program ends.
            if (events_)
                events_->Form_Unload();
            if (hwnd_)
                ::DestroyWindow(hwnd_);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

const Win32FormWindow::Control* Win32FormWindow::find(ControlId id) const {
    const auto it = index_.find(id);
    return it == index_.end() ? nullptr : &controls_[it->second];
}

Win32FormWindow::Control* Win32FormWindow::find(ControlId id) {
    const auto it = index_.find(id);
    return it == index_.end() ? nullptr : &controls_[it->second];
}

HWND Win32FormWindow::controlHwnd(ControlId id) const {
    const Control* control = find(id);
    return control ? control->hwnd : nullptr;
}

}  // namespace harfpad::win32
