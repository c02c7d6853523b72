// A window object that owns its HWND. `this` arrives with WM_NCCREATE's create parameters and is
// let go at WM_NCDESTROY, so no message reaches an object through a window that has gone.
#pragma once

#include <windows.h>

namespace harfpad::win32 {

class BaseWindow {
  public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

  protected:
    virtual ~BaseWindow() = default;
    // Every message between WM_NCCREATE and WM_NCDESTROY, both included.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // After WM_NCDESTROY: the window is gone, forget what belonged to it.
    virtual void windowDestroyed() {}

    // What CreateWindowEx takes as its last argument: this object as a BaseWindow, whatever
    // else the derived class derives from.
    LPVOID createParam() { return this; }

    // The window procedure of the class.
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<BaseWindow*>(
                reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<BaseWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self)
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            const LRESULT result = self->handleMessage(message, wParam, lParam);
            self->hwnd_ = nullptr;
            self->windowDestroyed();
            return result;
        }
        return self->handleMessage(message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};

}  // namespace harfpad::win32
