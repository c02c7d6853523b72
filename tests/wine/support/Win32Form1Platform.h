// The program's own Win32 platform for tests that build Form1 in their own process, with the
// main window's controls as a user reaches them. A fixture derives from it so the platform
// exists before the Form1 member built from it.
#pragma once

#include <windows.h>

#include "app/Win32Form1Platform.h"

namespace harfpad::wine_test {

struct Win32Form1Platform : harfpad::Win32Form1Platform {
    using harfpad::Win32Form1Platform::Win32Form1Platform;
    HWND control(ControlId id) const { return window.controlHwnd(id); }
    bool checked(ControlId id) const {
        return ::SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void click(ControlId id) { ::SendMessageW(control(id), BM_CLICK, 0, 0); }
};

}  // namespace harfpad::wine_test
