// Scopes that give back what they borrow from GDI: a window's device context, and an object
// selected into a device context.
#pragma once

#include <windows.h>

namespace harfpad::win32 {

// GetDC / ReleaseDC. A null window is the whole screen.
class ScopedWindowDc {
  public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~ScopedWindowDc() {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// SelectObject, and the object it replaced selected back at the end.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (old_)
            ::SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace harfpad::win32
