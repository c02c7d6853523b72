// The program's own Win32 platform for tests that build Form1 in their own process, with the
// main window's controls as a user reaches them, and the fixture such tests derive from, so
// that the platform exists before the Form1 member built from it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/Win32Form1Platform.h"
#include "support/WineTest.h"

namespace harfpad::wine_test {

struct Win32Form1Platform : harfpad::Win32Form1Platform {
    using harfpad::Win32Form1Platform::Win32Form1Platform;
    HWND control(ControlId id) const { return window.controlHwnd(id); }
    bool checked(ControlId id) const {
        return ::SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    HWND tabStrip() const {
        HWND tab = ::GetWindow(window.hwnd(), GW_CHILD);
        while (tab && ::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0) == 0)
            tab = ::GetWindow(tab, GW_HWNDNEXT);
        return tab;
    }
    void click(ControlId id) { ::SendMessageW(control(id), BM_CLICK, 0, 0); }
    // A key tapped as a hand taps it (keybd_event), `held` (Shift, Ctrl) held around it, and
    // handled as the program's loop does, until its last release has been taken from the queue.
    void tap(BYTE vk, BYTE held = 0) {
        const BYTE keys[] = {held, vk, vk, held};
        for (int i = held ? 0 : 1; i < (held ? 4 : 3); ++i)
            ::keybd_event(keys[i], 0, i < 2 ? 0 : KEYEVENTF_KEYUP, 0);
        bool up = false;
        pumpMessages(
            std::chrono::seconds(1), [&] { return up; },
            [&](MSG& msg) {
                up = up || (msg.message == WM_KEYUP && msg.wParam == (held ? held : vk));
                return window.preTranslateMessage(msg);
            });
    }
};

// Common controls registered once; the main window shown by `show` and closed after each test.
class Form1Test : public ::testing::Test, protected Win32Form1Platform {
  protected:
    using Win32Form1Platform::Win32Form1Platform;
    static void SetUpTestSuite() { initCommonControls(); }
    void TearDown() override { window.close(); }
    // The window loaded and its first messages handled.
    void show(Form1& form) {
        form.show();
        ASSERT_TRUE(window.isLoaded());
        pumpMessages(std::chrono::milliseconds(50));
    }
};

}  // namespace harfpad::wine_test
