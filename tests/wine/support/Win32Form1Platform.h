// The real Win32 platform of the main window, for tests that build Form1 in their own process.
// A fixture derives from it so the platform exists before the Form1 member built from it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32HttpRequest.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32KeyInput.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32KeystrokeSender.h"
#include "platform/win32/Win32UiServices.h"

namespace harfpad::wine_test {

struct Win32Form1Platform {
    // Once per test program, before the first window.
    static void initCommonControls() {
        const INITCOMMONCONTROLSEX controls{sizeof controls,
                                            ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    Form1Platform platform(const TrayPlatform* tray = nullptr) {
        return {window,   ui,         registry, layouts,  keyInput,
                codePage, keystrokes, internet, requests, tray};
    }

    // The main window's controls as a user reaches them.
    HWND control(ControlId id) const { return window.controlHwnd(id); }
    bool checked(ControlId id) const {
        return ::SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void click(ControlId id) { ::SendMessageW(control(id), BM_CLICK, 0, 0); }

    win32::Win32FormWindow window{::GetModuleHandleW(nullptr), form1Spec(), 0};
    win32::Win32UiServices ui{[this](bool wait) { window.setWaitCursor(wait); }};
    win32::Win32Registry registry;
    win32::Win32KeyboardLayout layouts;
    win32::Win32KeyInput keyInput;
    win32::Win32AnsiCodePage codePage;
    win32::Win32Internet internet;
    win32::Win32HttpRequests requests;
    win32::Win32KeystrokeSender keystrokes{
        [this](MSG& msg) { return window.preTranslateMessage(msg); }};
};

}  // namespace harfpad::wine_test
