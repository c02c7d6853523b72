// The Win32 adapters the main window runs on, built together in the order they need each other.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32KeyInput.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32KeystrokeSender.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32UiServices.h"

namespace harfpad {

// The common controls the windows use (the standard classes and the tab strip): once per
// program, before the first window.
inline void initCommonControls() {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
}

struct Win32Form1Platform {
    // `iconId`: the window's icon resource, 0 for none.
    explicit Win32Form1Platform(HINSTANCE instance = ::GetModuleHandleW(nullptr), int iconId = 0)
        : window(instance, form1Spec(), iconId) {}

    Form1Platform platform(const TrayPlatform* tray = nullptr,
                           feedback::FeedbackAddresses addresses = {}) {
        tray_ = tray;
        Form1Platform bundle{window,   ui,         registry, layouts, keyInput,
                             codePage, keystrokes, http,     window,  tray};
        bundle.feedbackAddresses = std::move(addresses);
        return bundle;
    }

    win32::Win32FormWindow window;
    // Message boxes belong to the main window, or to the tray window once the main one is gone,
    // whichever window is active.
    win32::Win32UiServices ui{[this](bool wait) { window.setWaitCursor(wait); },
                              [this] {
                                  if (window.isLoaded() || !tray_)
                                      return window.hwnd();
                                  return reinterpret_cast<HWND>(tray_->window.handle());
                              }};
    win32::Win32Registry registry;
    win32::Win32KeyboardLayout layouts;
    win32::Win32KeyInput keyInput;
    win32::Win32AnsiCodePage codePage;
    win32::Win32KeystrokeSender keystrokes{
        [this](MSG& msg) { return window.preTranslateMessage(msg); }};
    win32::Win32HttpClient http;

  private:
    const TrayPlatform* tray_ = nullptr;
};

}  // namespace harfpad
